// SPDX-License-Identifier: MIT
#include "PrefixCalculator.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "SettingsStore.h"

namespace Parlamine {

namespace {

constexpr const char* Section = "Prefix Calculator";

}  // namespace

TPrefixCalculator::TPrefixCalculator(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PrefixCalculator"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  PrefixPageControl = new QTabWidget(this);
  PrefixPageControl->setObjectName(QStringLiteral("PrefixPageControl"));
  PrefixPageControl->addTab(CreatePrefixInfoPage(), QStringLiteral("Prefix Info"));
  PrefixPageControl->addTab(CreateSplitPage(), QStringLiteral("Split"));
  PrefixPageControl->addTab(CreateSummarizePage(), QStringLiteral("Summarize"));
  layout->addWidget(PrefixPageControl, 1);
}

TPrefixCalculator::~TPrefixCalculator() = default;

QWidget* TPrefixCalculator::CreatePrefixInfoPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("PrefixInfoTabSheet"));
  return page;
}

QWidget* TPrefixCalculator::CreateSplitPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("SplitTabSheet"));
  return page;
}

QWidget* TPrefixCalculator::CreateSummarizePage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("SummarizeTabSheet"));
  return page;
}

void TPrefixCalculator::LoadPrefixSettings(TSectionedStore& store) {
  const int page = store.ReadInteger(Section, "ActivePageIndex", 0);
  if (page >= 0 && page < PrefixPageControl->count()) PrefixPageControl->setCurrentIndex(page);
}

void TPrefixCalculator::SavePrefixSettings(TSectionedStore& store) {
  store.WriteInteger(Section, "ActivePageIndex", PrefixPageControl->currentIndex());
}

}  // namespace Parlamine
