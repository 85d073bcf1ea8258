// SPDX-License-Identifier: MIT
#include "ParlamineNetworkButtonForm.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "ParlamineNetworkButton.h"
#include "ZellGlobal.h"
#include "ZellSpinEdit.h"

namespace Parlamine {

namespace {

const QString UnknownTopology = QString::fromLatin1(UnknownTopologyName);

QChar DecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.isEmpty() ? QChar(u'.') : point.at(0);
}

char DecimalSeparatorChar() {
  const char c = DecimalSeparator().toLatin1();
  return c ? c : '.';
}

// The shortest text of a choice, as the lists show it.
QString ChoiceText(double mbps) { return QString::fromStdString(FormatFloat(mbps, DecimalSeparatorChar())); }

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(geometry);
  return label;
}

TBetterSpinEdit* NewSpinEdit(QWidget* parent, const char* name, QRect geometry, int32_t value) {
  auto* edit = new TBetterSpinEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->SetMinValue(0);
  edit->SetMaxValue(std::numeric_limits<int32_t>::max());
  edit->SetValue(value);
  edit->setGeometry(geometry);
  return edit;
}

QComboBox* NewComboBox(QWidget* parent, const char* name, QRect geometry) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->setGeometry(geometry);
  return box;
}

bool IsEnterKey(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

}  // namespace

std::optional<double> TextToFloat(const QString& text, QChar decimalSeparator) {
  const QString s = text.trimmed();
  qsizetype i = 0;
  std::string plain;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) plain += static_cast<char>(s[i++].unicode());
  int digits = 0;
  bool separatorSeen = false;
  for (; i < s.size(); ++i) {
    if (s[i] >= u'0' && s[i] <= u'9') {
      plain += static_cast<char>(s[i].unicode());
      ++digits;
    } else if (s[i] == decimalSeparator && !separatorSeen) {
      plain += '.';
      separatorSeen = true;
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
    plain += 'e';
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) plain += static_cast<char>(s[i++].unicode());
    int exponentDigits = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i, ++exponentDigits)
      plain += static_cast<char>(s[i].unicode());
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  const double value = std::strtod(plain.c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

TNetworkButtonForm::TNetworkButtonForm(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("NetworkButtonForm"));
  setWindowTitle(QStringLiteral("Properties"));
  setModal(false);
  CreateNetworkPanel();
  CreateStationPanel();
  CreateButtons();
  StationPanel->setVisible(false);
  for (TBetterSpinEdit* edit : {PropDelaySpinEdit, ProcessTimeSpinEdit, PacketSizeSpinEdit})
    edit->installEventFilter(this);
  setFixedSize(FormClientWidth, NetworkHeight);
  SetButtonsTop(NetworkButtonsTop);
}

TNetworkButtonForm::~TNetworkButtonForm() = default;

void TNetworkButtonForm::CreateNetworkPanel() {
  NetworkPanel = new QWidget(this);
  NetworkPanel->setObjectName(QStringLiteral("NetworkPanel"));
  NetworkPanel->setGeometry(0, 0, FormClientWidth, NetworkButtonsTop - 4);
  Label1 = NewLabel(NetworkPanel, "Label1", QStringLiteral("&Topology"), QRect(8, 8, 209, 14));
  TopologyComboBox = NewComboBox(NetworkPanel, "TopologyComboBox", QRect(8, 24, 209, 23));
  for (const TTopology& topology : Topologies())
    TopologyComboBox->addItem(QString::fromLatin1(topology.Name));
  TopologyComboBox->setCurrentIndex(-1);
  TopologyComboBox->setEditText(UnknownTopology);
  Label1->setBuddy(TopologyComboBox);

  Label2 = NewLabel(NetworkPanel, "Label2", QStringLiteral("&Bandwidth (Mbps)"), QRect(8, 62, 124, 14));
  BandwidthComboBox = NewComboBox(NetworkPanel, "BandwidthComboBox", QRect(136, 58, 81, 23));
  for (const char* choice : {"0.056", "0.064", "0.512", "1.544", "4", "6.312", "10", "16", "25", "44.736",
                             "100", "155.52", "274.176", "622.08", "800", "1000", "1600"})
    BandwidthComboBox->addItem(QString::fromLatin1(choice));
  BandwidthComboBox->setCurrentIndex(0);
  Label2->setBuddy(BandwidthComboBox);

  PropDelayLabel = NewLabel(NetworkPanel, "PropDelayLabel", QStringLiteral("Propagation &Delay (ms)"),
                            QRect(8, 98, 124, 14));
  PropDelaySpinEdit = NewSpinEdit(NetworkPanel, "PropDelaySpinEdit", QRect(136, 94, 81, 23), 0);
  PropDelayLabel->setBuddy(PropDelaySpinEdit);
  PropDelayLabel->setEnabled(false);
  PropDelaySpinEdit->setEnabled(false);

  CreateDistanceFields();

  for (QComboBox* box : {TopologyComboBox, BandwidthComboBox}) box->installEventFilter(this);
  connect(TopologyComboBox, &QComboBox::activated, this, [this] { TopologyComboBoxChange(); });
  connect(TopologyComboBox->lineEdit(), &QLineEdit::textEdited, this, [this] {
    // Typing leaves no item selected; keep the text and the caret as typed.
    QLineEdit* edit = TopologyComboBox->lineEdit();
    const QString text = edit->text();
    const int caret = edit->cursorPosition();
    {
      const QSignalBlocker blocker(TopologyComboBox);
      TopologyComboBox->setCurrentIndex(-1);
      edit->setText(text);
      edit->setCursorPosition(caret);
    }
    TopologyComboBoxChange();
  });
}

// A length and the medium it runs in fill the propagation delay field; the
// field stays editable, and what it holds at OK or Apply is the delay.
void TNetworkButtonForm::CreateDistanceFields() {
  MediumLabel = NewLabel(NetworkPanel, "MediumLabel", QStringLiteral("&Medium"), QRect(8, 134, 60, 14));
  MediumComboBox = new QComboBox(NetworkPanel);
  MediumComboBox->setObjectName(QStringLiteral("MediumComboBox"));
  MediumComboBox->setGeometry(72, 130, 145, 23);
  for (int medium = mdFibre; medium < MediumCount; ++medium)
    MediumComboBox->addItem(QString::fromLatin1(MediumName(static_cast<TMedium>(medium))));
  MediumLabel->setBuddy(MediumComboBox);

  DistanceLabel =
      NewLabel(NetworkPanel, "DistanceLabel", QStringLiteral("Distance (&km)"), QRect(8, 170, 124, 14));
  DistanceLineEdit = new QLineEdit(NetworkPanel);
  DistanceLineEdit->setObjectName(QStringLiteral("DistanceLineEdit"));
  DistanceLineEdit->setGeometry(136, 166, 81, 23);
  DistanceLineEdit->setAlignment(Qt::AlignRight);
  DistanceLabel->setBuddy(DistanceLineEdit);

  connect(MediumComboBox, &QComboBox::activated, this, [this] { FillPropDelayFromDistance(); });
  connect(DistanceLineEdit, &QLineEdit::textEdited, this, [this] { FillPropDelayFromDistance(); });
}

TMedium TNetworkButtonForm::SelectedMedium() const {
  return static_cast<TMedium>(MediumComboBox->currentIndex() + mdFibre);
}

void TNetworkButtonForm::SetDistanceFields(double km, TMedium medium) {
  MediumComboBox->setCurrentIndex(medium == mdNone ? -1 : medium - mdFibre);
  DistanceLineEdit->setText(km > 0 ? ChoiceText(km) : QString());
}

void TNetworkButtonForm::FillPropDelayFromDistance() {
  const std::optional<double> km = TextToFloat(DistanceLineEdit->text(), DecimalSeparator());
  if (km && *km > 0 && PropDelaySpinEdit->isEnabled())
    PropDelaySpinEdit->SetValue(PropDelayForDistance(*km, SelectedMedium()));
}

void TNetworkButtonForm::CreateStationPanel() {
  StationPanel = new QWidget(this);
  StationPanel->setObjectName(QStringLiteral("StationPanel"));
  StationPanel->setGeometry(0, 0, FormClientWidth, StationButtonsTop - 4);
  ProcessTimeLabel =
      NewLabel(StationPanel, "ProcessTimeLabel", QStringLiteral("Process &Time (ms)"), QRect(8, 20, 124, 14));
  ProcessTimeSpinEdit = NewSpinEdit(StationPanel, "ProcessTimeSpinEdit", QRect(136, 16, 81, 23), 0);
  ProcessTimeLabel->setBuddy(ProcessTimeSpinEdit);
  PacketSizeLabel = NewLabel(StationPanel, "PacketSizeLabel", QStringLiteral("Packet &Size (bytes)"),
                             QRect(8, 60, 124, 14));
  PacketSizeSpinEdit = NewSpinEdit(StationPanel, "PacketSizeSpinEdit", QRect(136, 56, 81, 23), 512);
  PacketSizeLabel->setBuddy(PacketSizeSpinEdit);
}

void TNetworkButtonForm::CreateButtons() {
  const struct {
    QPushButton** Button;
    const char* Name;
    const char* Caption;
    int Left;
  } buttons[] = {{&OKButton, "OKButton", "&OK", 8},
                 {&CancelButton, "CancelButton", "&Cancel", 79},
                 {&ApplyButton, "ApplyButton", "&Apply", 150}};
  for (const auto& b : buttons) {
    auto* button = new QPushButton(QString::fromLatin1(b.Caption), this);
    button->setObjectName(QLatin1String(b.Name));
    button->setGeometry(b.Left, NetworkButtonsTop, 67, 25);
    button->setAutoDefault(false);
    *b.Button = button;
    connect(button, &QPushButton::clicked, this, [this, button] { ButtonClick(button); });
  }
  OKButton->setDefault(true);
}

void TNetworkButtonForm::SetButtonsTop(int top) {
  for (QPushButton* button : {OKButton, CancelButton, ApplyButton}) button->move(button->x(), top);
}

void TNetworkButtonForm::SetFormHeight(int height) {
  // A dialog border: the size is fixed, so the controls never stand in empty space.
  setFixedSize(width(), height);
}

void TNetworkButtonForm::SetDialogKind(TNetworkButtonKind kind) {
  if (FDialogKind == kind) return;
  {
    const QSignalBlocker blocker(BandwidthComboBox);
    BandwidthComboBox->clear();
    for (double choice : BandwidthChoices(kind)) BandwidthComboBox->addItem(ChoiceText(choice));
  }
  if (IsStation(kind)) {
    SetFormHeight(StationHeight);
    SetButtonsTop(StationButtonsTop);
    PropDelaySpinEdit->SetValue(0);
    StationPanel->setVisible(true);
    NetworkPanel->setVisible(false);
  } else {
    SetFormHeight(NetworkHeight);
    SetButtonsTop(NetworkButtonsTop);
    NetworkPanel->setVisible(true);
    StationPanel->setVisible(false);
    const TPropDelaySetup setup = PropDelaySetup(kind);
    for (QWidget* w : std::initializer_list<QWidget*>{PropDelayLabel, PropDelaySpinEdit, MediumLabel,
                                                      MediumComboBox, DistanceLabel, DistanceLineEdit})
      w->setEnabled(setup.Enabled);
    if (setup.SetsValue) PropDelaySpinEdit->SetValue(setup.Value);
    // A new kind brings its own medium; a distance typed for another kind
    // would no longer match the delay just set.
    if (setup.SetsValue) SetDistanceFields(0, DefaultMedium(kind));
  }
  FDialogKind = kind;
}

void TNetworkButtonForm::ShowFor(TNetworkButton* element) {
  if (!element) return;
  FNetworkButton = element;
  SetDialogKind(element->NetworkButtonKind());

  const QString bandwidth =
      QString::fromStdString(FormatBandwidth(element->Bandwidth(), DecimalSeparatorChar()));
  int found = BandwidthComboBox->findText(bandwidth, Qt::MatchExactly);
  if (found < 0) {
    BandwidthComboBox->addItem(bandwidth);
    found = BandwidthComboBox->count() - 1;
  }
  BandwidthComboBox->setCurrentIndex(found);
  BandwidthComboBox->setEditText(bandwidth);

  setWindowTitle(element->NetworkName() + QStringLiteral(" Properties"));
  PacketSizeSpinEdit->SetValue(element->PacketSize());
  ProcessTimeSpinEdit->SetValue(element->ProcessTime());
  PropDelaySpinEdit->SetValue(element->PropDelay());
  SetDistanceFields(element->Distance(), element->Medium() != mdNone
                                             ? element->Medium()
                                             : DefaultMedium(element->NetworkButtonKind()));

  if (element->FTopologyIndex == -1) {
    const int index = TopologyComboBox->findText(element->NetworkName(), Qt::MatchExactly);
    element->FTopologyIndex = static_cast<int16_t>(index);
  }
  {
    const QSignalBlocker blocker(TopologyComboBox);
    if (element->FTopologyIndex < 0 || element->FTopologyIndex >= TopologyComboBox->count()) {
      TopologyComboBox->setCurrentIndex(-1);
      TopologyComboBox->setEditText(UnknownTopology);
    } else {
      TopologyComboBox->setCurrentIndex(element->FTopologyIndex);
    }
  }

  if (!FShownBefore) {
    FShownBefore = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect frame(QPoint(0, 0), size());
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  show();
  raise();
}

void TNetworkButtonForm::SelectBandwidth(double mbps) {
  BandwidthComboBox->setCurrentIndex(BandwidthComboBox->findText(ChoiceText(mbps), Qt::MatchExactly));
  if (BandwidthComboBox->currentIndex() < 0) BandwidthComboBox->setEditText(QString());
}

void TNetworkButtonForm::TopologyComboBoxChange() {
  const int index = TopologyComboBox->currentIndex();
  SetDialogKind(TopologyKind(index));
  if (const std::optional<double> bandwidth = TopologyDefaultBandwidth(index))
    SelectBandwidth(*bandwidth);
  else
    BandwidthComboBox->setEditText(QStringLiteral("0"));
  if (FDialogKind && !IsStation(*FDialogKind))
    setWindowTitle(TopologyComboBox->currentText() + QStringLiteral(" Properties"));
}

void TNetworkButtonForm::TopologyComboBoxExit() {
  const QString text = TopologyComboBox->currentText();
  const QSignalBlocker blocker(TopologyComboBox);
  const int found = TopologyComboBox->findText(text, Qt::MatchExactly);
  if (found >= 0) {
    TopologyComboBox->setCurrentIndex(found);
  } else if (text.isEmpty()) {
    TopologyComboBox->setEditText(UnknownTopology);
  } else if (text != UnknownTopology) {
    TopologyComboBox->addItem(text);
    TopologyComboBox->setCurrentIndex(TopologyComboBox->count() - 1);
  }
}

void TNetworkButtonForm::BandwidthComboBoxExit() {
  const QString text = BandwidthComboBox->currentText();
  if (text.isEmpty() || text == QStringLiteral("0")) {
    BandwidthComboBox->setEditText(QStringLiteral("0"));
  } else if (BandwidthComboBox->findText(text, Qt::MatchExactly) < 0) {
    const QSignalBlocker blocker(BandwidthComboBox);
    const int selected = BandwidthComboBox->currentIndex();
    BandwidthComboBox->addItem(text);
    // Adding to an empty list would select the new item; the selection stays.
    BandwidthComboBox->setCurrentIndex(selected);
    BandwidthComboBox->setEditText(text);
  }
}

bool TNetworkButtonForm::ApplyToElement() {
  TNetworkButton* element = FNetworkButton;
  if (!element) return true;
  if (element->IsStationButton()) {
    for (TBetterSpinEdit* edit : {PacketSizeSpinEdit, ProcessTimeSpinEdit})
      edit->SetValue(edit->TextToValue());
    element->SetPacketSize(PacketSizeSpinEdit->Value());
    element->SetProcessTime(ProcessTimeSpinEdit->Value());
  } else {
    // The bandwidth first, so that a text that is no number changes nothing.
    const QString text = BandwidthComboBox->currentText();
    const std::optional<double> bandwidth = TextToFloat(text, DecimalSeparator());
    if (!bandwidth) {
      ShowError(this, QStringLiteral("'%1' is not a valid floating point value").arg(text));
      return false;
    }
    const QString distanceText = DistanceLineEdit->text();
    const std::optional<double> distance =
        distanceText.trimmed().isEmpty() ? 0.0 : TextToFloat(distanceText, DecimalSeparator());
    if (!distance || *distance < 0) {
      ShowError(this, QStringLiteral("'%1' is not a valid distance in km").arg(distanceText));
      return false;
    }
    PropDelaySpinEdit->SetValue(PropDelaySpinEdit->TextToValue());
    element->SetBandwidth(*bandwidth);
    if (*distance > 0 && PropDelaySpinEdit->isEnabled())
      element->SetDistance(*distance, SelectedMedium());
    else
      element->SetDistance(0, mdNone);
    element->SetNetworkButtonKind(FDialogKind.value_or(nbOther));
    element->SetNetworkName(TopologyComboBox->currentText());
    element->FTopologyIndex = static_cast<int16_t>(TopologyComboBox->currentIndex());
    element->SetPropDelay(PropDelaySpinEdit->Value());
  }
  element->UpdateHint();
  if (FOnApply) FOnApply();
  return true;
}

void TNetworkButtonForm::ButtonClick(QPushButton* button) {
  if (button == OKButton || button == ApplyButton) {
    if (!ApplyToElement()) return;  // the dialog stays open to correct the text
  }
  if (button == OKButton || button == CancelButton) hide();
}

void TNetworkButtonForm::RegisterCustomValues(TNetworkButton* network) {
  SetDialogKind(network->NetworkButtonKind());
  network->FTopologyIndex =
      static_cast<int16_t>(TopologyComboBox->findText(network->NetworkName(), Qt::MatchExactly));
  if (network->FTopologyIndex == -1 && network->NetworkName() != UnknownTopology) {
    const QSignalBlocker blocker(TopologyComboBox);
    TopologyComboBox->addItem(network->NetworkName());
    TopologyComboBox->setCurrentIndex(TopologyComboBox->count() - 1);
    network->FTopologyIndex = static_cast<int16_t>(TopologyComboBox->currentIndex());
  }
  const QString bandwidth =
      QString::fromStdString(FormatBandwidth(network->Bandwidth(), DecimalSeparatorChar()));
  if (BandwidthComboBox->findText(bandwidth, Qt::MatchExactly) < 0 && bandwidth != QStringLiteral("0")) {
    const QSignalBlocker blocker(BandwidthComboBox);
    BandwidthComboBox->addItem(bandwidth);
    BandwidthComboBox->setCurrentIndex(BandwidthComboBox->count() - 1);
  }
}

bool TNetworkButtonForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && IsEnterKey(static_cast<QKeyEvent*>(event))) {
    // The number fields commit on Enter; here Enter also presses OK, the
    // dialog's default button.
    if (auto* edit = qobject_cast<TBetterSpinEdit*>(watched)) {
      edit->SetValue(edit->TextToValue());
      OKButton->click();
      return true;
    }
  }
  const bool topology = watched == TopologyComboBox;
  const bool bandwidth = watched == BandwidthComboBox;
  if (!topology && !bandwidth) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::FocusOut) {
    if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
      if (topology)
        TopologyComboBoxExit();
      else
        BandwidthComboBoxExit();
    }
  } else if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (bandwidth) {
      // Digits, the decimal separator and control keys only.
      const QString text = key->text();
      if (!text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127) {
        const QChar c = text.at(0);
        if (!(c >= u'0' && c <= u'9') && c != DecimalSeparator()) return true;
      }
    }
    if (IsEnterKey(key)) {
      if (topology)
        TopologyComboBoxExit();
      else
        BandwidthComboBoxExit();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace Parlamine
