// SPDX-License-Identifier: MIT
// The window and the command line show the same texts for the same inputs:
// both go through the calculators' cores, and these tests catch a text that
// one of them starts to build on its own.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <algorithm>
#include <sstream>

#include "IPSubnetCalculator.h"
#include "LatencyCommand.h"
#include "LatencyModel.h"
#include "LatencyStatisticsView.h"
#include "TestSupport.h"
#include "ZellIPEdit.h"
#include "ZellLabel.h"
#include "ZellStringGrid.h"
#include "ZellTableExport.h"
#include "core/CliTestSupport.h"

namespace Parlamine {
namespace {

// The value after "  Caption: " in the command's text answer.
std::string Field(const std::string& out, const std::string& caption) {
  const std::string key = "  " + caption + ": ";
  const size_t at = out.find(key);
  if (at == std::string::npos) return "<missing " + caption + ">";
  return out.substr(at + key.size(), out.find('\n', at + key.size()) - at - key.size());
}

class WindowAndCommand : public ::testing::Test {
 protected:
  template <typename T>
  T* Find(const char* name) const {
    return ParlamineTest::FindNamed<T>(&Calculator, name);
  }
  std::string Text(const char* box) const { return Find<TTextBox>(box)->Caption().toStdString(); }

  void Enter(uint32_t address, const char* maskBits, bool allow1SubnetBit) {
    TIPEdit* edit = Find<TIPEdit>("IPAddressEdit");
    edit->SetAddressValue(address);
    uint8_t first = static_cast<uint8_t>(address >> 24);
    Calculator.IPAddressEditIPFieldValueChanged(edit, 0, first);
    if (allow1SubnetBit != Find<QCheckBox>("Allow1SubnetBitCheckBox")->isChecked()) {
      Find<QCheckBox>("Allow1SubnetBitCheckBox")->setChecked(allow1SubnetBit);
      Calculator.Allow1SubnetBitCheckBoxClick();
    }
    auto* list = Find<QComboBox>("SubnetMaskBitsComboBox");
    list->setCurrentIndex(list->findText(QLatin1String(maskBits)));
    ASSERT_GE(list->currentIndex(), 0) << maskBits;
    Calculator.SubnetComboBoxClick(list);
  }

  TIPSubnetCalculator Calculator;
};

struct TAddressCase {
  const char* Address;
  uint32_t Value;
  const char* MaskBits;
  bool Allow1SubnetBit;
};

class WindowAndCommandAddress : public WindowAndCommand, public testing::WithParamInterface<TAddressCase> {};

TEST_P(WindowAndCommandAddress, PagesAndTableCopyRead) {
  const TAddressCase& c = GetParam();
  Enter(c.Value, c.MaskBits, c.Allow1SubnetBit);
  std::vector<std::string> arguments = {"ip", c.Address, "--mask-bits", c.MaskBits};
  if (c.Allow1SubnetBit) arguments.push_back("--allow-1-bit");
  const TCliResult info = RunCli(arguments);
  ASSERT_EQ(info.ExitCode, 0) << info.Err;

  EXPECT_EQ(Field(info.Out, "Address Type"),
            Find<QComboBox>("AddressTypeComboBox")->currentText().toStdString());
  EXPECT_EQ(Field(info.Out, Find<TZellLabel>("ClassBitMapLabel")->Caption().toStdString()),
            Text("ClassBitMapTextBox"));
  EXPECT_EQ(Field(info.Out, Find<TZellLabel>("SubnetBitMapLabel")->Caption().toStdString()),
            Text("SubnetBitMapTextBox"));
  EXPECT_EQ(Field(info.Out, "Binary"), Text("BinAddressTextBox"));
  EXPECT_EQ(Field(info.Out, "Hexadecimal"), Text("HexAddressTextBox"));
  EXPECT_EQ(Field(info.Out, "Subnet Bits"),
            Find<QComboBox>("SubnetBitsComboBox")->currentText().toStdString());
  EXPECT_EQ(Field(info.Out, "Subnet Mask"),
            Find<QComboBox>("SubnetMaskComboBox")->currentText().toStdString());
  EXPECT_EQ(Field(info.Out, "Max Subnets"),
            Find<QComboBox>("SubnetCountComboBox")->currentText().toStdString());
  EXPECT_EQ(Field(info.Out, "Max Hosts Per Subnet"),
            Find<QComboBox>("SubnetHostCountComboBox")->currentText().toStdString());
  EXPECT_EQ(Field(info.Out, "Subnet Host Address Range"), Text("SubnetAddressRangeTextBox"));
  EXPECT_EQ(Field(info.Out, "Subnet ID"), Text("SubnetIDTextBox"));
  EXPECT_EQ(Field(info.Out, "Subnet Broadcast"), Text("SubnetBroadcastTextBox"));

  arguments.push_back("--table");
  const TCliResult table = RunCli(arguments);
  const auto* view = Find<TVirtualListView>("SubnetHostListView");
  const QByteArray copy = TableText(view->Model()->Source(), {}, true);
  EXPECT_EQ(table.Out, copy.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Addresses, WindowAndCommandAddress,
                         testing::Values(TAddressCase{"128.15.10.5", 0x800F0A05u, "24", false},
                                         TAddressCase{"192.168.1.77", 0xC0A8014Du, "27", true},
                                         TAddressCase{"10.200.30.4", 0x0AC81E04u, "19", false}),
                         [](const auto& info) {
                           std::string name = info.param.Address;
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

TEST(WindowAndCommandLatency, StatisticsGridReadsAsTheCommand) {
  TLatencyOptions options;
  options.Client = "64:10";
  options.Networks = {"Satellite", "T1:1.544:7", "Ethernet:100"};
  options.Server = "1024:5";
  const std::vector<TNetworkElement> chain = LatencyChain(options);
  QStringList hints;
  for (const TNetworkElement& element : chain) hints << QString::fromStdString(NetworkHint(element));
  TLatencyStatisticsView view;
  view.SetDirection(ldAB);
  view.Fill(hints, ComputeLatency(chain));

  const TCliResult r = RunCli({"latency", "--client", "64:10", "--network", "Satellite", "--network",
                               "T1:1.544:7", "--network", "Ethernet:100", "--server", "1024:5"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const std::string both = r.Out.substr(r.Out.find("Clt <-> Svr\n") + 12);
  std::istringstream lines(both);
  std::string line;
  for (int row = 0; row < view.Grid()->RowCount(); ++row) {
    ASSERT_TRUE(std::getline(lines, line)) << row;
    const std::string grid = (view.Grid()->Cells(0, row) + QLatin1Char('\t') + view.Grid()->Cells(1, row) +
                              QLatin1Char('\t') + view.Grid()->Cells(2, row))
                                 .toStdString();
    EXPECT_EQ(line, grid) << row;
  }
}

}  // namespace
}  // namespace Parlamine
