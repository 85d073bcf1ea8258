// SPDX-License-Identifier: MIT
#include "LatencyCalculator.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace Parlamine {

TLatencyCalculator::TLatencyCalculator(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("LatencyCalculator"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  LatencyPageControl = new QTabWidget(this);
  LatencyPageControl->setObjectName(QStringLiteral("LatencyPageControl"));
  for (const char* caption : {"Network Setup", "Latency Statistics", "Latency Graphs"})
    LatencyPageControl->addTab(new QWidget(LatencyPageControl), QString::fromLatin1(caption));
  layout->addWidget(LatencyPageControl);
}

TLatencyCalculator::~TLatencyCalculator() = default;

void TLatencyCalculator::InitLatency(TRegistryTree&) {}
void TLatencyCalculator::DoneLatency(TRegistryTree&) {}

}  // namespace Parlamine
