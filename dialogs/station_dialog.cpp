// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/station_dialog.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "dialogs/message_box.h"
#include "station/hamlib_catalog.h"
#include "station/rigctld_arguments.h"

namespace zm {

namespace {

constexpr int kLowestPort = 1024;
constexpr int kHighestPort = 65535;
constexpr std::array kUsualRates = {4800, 9600, 19200, 38400, 57600, 115200};
constexpr std::array<std::pair<PttMethod, const char*>, 3> kPttChoices = {
    {{PttMethod::Rig, "CAT command (RIG)"},
     {PttMethod::Dtr, "DTR line of the port"},
     {PttMethod::Rts, "RTS line of the port"}}};

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// An editable list of the serial devices, by-id names first; any path may be typed in.
QComboBox* deviceList(const std::vector<SerialDevice>& devices, const std::string& current) {
    auto* list = new QComboBox;
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setMinimumContentsLength(48);
    for (const SerialDevice& device : devices) {
        list->addItem(text(device.path));
        list->setItemData(
            list->count() - 1,
            text(device.description + (device.description.empty() ? "" : ", ") + device.kernelName),
            Qt::ToolTipRole);
    }
    list->setEditText(text(current));
    return list;
}

// The device's maker, product and serial number, and its kernel name, under its list.
QLabel* descriptionOf(QComboBox* list, const std::vector<SerialDevice>& devices) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);  // USB descriptors are never markup
    const auto describe = [label, devices](const QString& typed) {
        const std::string name = typed.trimmed().toStdString();
        auto found = std::ranges::find(devices, name, &SerialDevice::path);
        if (found == devices.end()) {
            found = std::ranges::find(devices, name, &SerialDevice::kernelName);
        }
        label->setText(found == devices.end()
                           ? QString()
                           : text(found->description + (found->description.empty() ? "" : ", ") +
                                  found->kernelName));
    };
    QObject::connect(list, &QComboBox::currentTextChanged, label, describe);
    describe(list->currentText());
    return label;
}

// The by-id name of a device typed by its kernel name (/dev/ttyUSB0): the name that stays.
std::string lastingName(const std::vector<SerialDevice>& devices, const QString& typed) {
    const std::string name = typed.trimmed().toStdString();
    const auto found = std::ranges::find(devices, name, &SerialDevice::kernelName);
    return found == devices.end() ? name : found->path;
}

// "0x94"; "94h" or "94" is not taken: rigctld would read "94" as decimal.
std::optional<int> civAddressOf(const QString& typed, bool& valid) {
    static const QRegularExpression kHexByte("^0[xX][0-9A-Fa-f]{1,2}$");
    const QString trimmed = typed.trimmed();
    valid = trimmed.isEmpty() || kHexByte.match(trimmed).hasMatch();
    return valid && !trimmed.isEmpty() ? std::optional(trimmed.mid(2).toInt(nullptr, 16))
                                       : std::nullopt;
}

}  // namespace

StationDialog::StationDialog(StationDialogInput input, QWidget* parent)
    : QDialog(parent), m_input(std::move(input)) {
    setWindowTitle("Station");
    m_message = new QLabel;
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);  // rigctld's words are never markup
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &StationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &StationDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(meterGroup());
    layout->addWidget(radioGroup());
    layout->addWidget(m_message);
    layout->addWidget(buttons);
    modelChanged();
    serverChanged();
}

QWidget* StationDialog::meterGroup() {
    auto* group = new QGroupBox("Meter");
    auto* form = new QFormLayout(group);
    m_meterDevice = deviceList(m_input.devices, m_input.meterDevice);
    form->addRow(text("Device for " + m_input.meterPortName + ":"), m_meterDevice);
    form->addRow("", descriptionOf(m_meterDevice, m_input.devices));
    return group;
}

QWidget* StationDialog::radioGroup() {
    const RigSettings& rig = m_input.rig;
    auto* group = new QGroupBox("Radio");
    auto* form = new QFormLayout(group);
    m_external = new QRadioButton("rigctld that I start myself");
    m_own = new QRadioButton("Start rigctld for this radio");
    (rig.server == RigServerChoice::Own ? m_own : m_external)->setChecked(true);
    form->addRow(m_external);
    form->addRow(m_own);

    m_model = new QComboBox;
    m_model->setEditable(true);
    m_model->setInsertPolicy(QComboBox::NoInsert);
    for (const RigModel& model : m_input.models) {
        m_model->addItem(text(model.label()), model.number);
    }
    // Any part of the maker or model narrows the list: "7300", "ft-9", "kenwood".
    m_model->completer()->setFilterMode(Qt::MatchContains);
    m_model->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    m_model->completer()->setCompletionMode(QCompleter::PopupCompletion);
    const RigModel* current = findRigModel(m_input.models, rig.model);
    m_model->setCurrentIndex(current ? m_model->findData(rig.model) : -1);
    m_model->setEditText(current         ? text(current->label())
                         : rig.model > 0 ? QString::number(rig.model)
                                         : QString());
    m_model->lineEdit()->setPlaceholderText("type part of the maker or model: 7300, ft-9, kenwood");
    form->addRow("Model:", m_model);

    m_radioDevice = deviceList(m_input.devices, rig.device);
    form->addRow("Device:", m_radioDevice);
    form->addRow("", descriptionOf(m_radioDevice, m_input.devices));
    m_baud = new QComboBox;
    form->addRow("Baud rate:", m_baud);
    m_civ = new QLineEdit(rig.civAddress ? text(civAddressText(*rig.civAddress)) : QString());
    m_civ->setPlaceholderText("the radio's default");
    form->addRow("CI-V address:", m_civ);
    m_ptt = new QComboBox;
    for (const auto& [method, label] : kPttChoices) {
        m_ptt->addItem(label, static_cast<int>(method));
    }
    m_ptt->setCurrentIndex(m_ptt->findData(static_cast<int>(rig.ptt)));
    form->addRow("PTT:", m_ptt);
    m_port = new QSpinBox;
    m_port->setRange(kLowestPort, kHighestPort);
    m_port->setValue(rig.port);
    form->addRow("rigctld's port on 127.0.0.1:", m_port);
    m_test = new QPushButton("Test");
    form->addRow(m_test);

    connect(m_own, &QRadioButton::toggled, this, &StationDialog::serverChanged);
    connect(m_model, &QComboBox::currentTextChanged, this, &StationDialog::modelChanged);
    connect(m_test, &QPushButton::clicked, this, &StationDialog::test);
    return group;
}

void StationDialog::serverChanged() {
    const bool own = m_own->isChecked();
    for (QWidget* field : {static_cast<QWidget*>(m_model), static_cast<QWidget*>(m_radioDevice),
                           static_cast<QWidget*>(m_baud), static_cast<QWidget*>(m_ptt)}) {
        field->setEnabled(own);
    }
    modelChanged();
}

// The baud list offers what the model accepts; the CI-V address is for CI-V radios only.
void StationDialog::modelChanged() {
    const RigModel* model = modelNamedBy(m_input.models, m_model->currentText().toStdString());
    m_civ->setEnabled(m_own->isChecked() && model && model->takesCivAddress());
    const int number = model ? model->number : 0;
    if (number == m_ratesModel) {
        return;
    }
    m_ratesModel = number;
    const QVariant chosen = m_baud->count() > 0 ? m_baud->currentData()
                            : m_input.rig.baud  ? QVariant(*m_input.rig.baud)
                                                : QVariant();
    std::vector<int> rates =
        model && m_input.ratesOf ? m_input.ratesOf(number) : std::vector<int>{};
    if (rates.empty()) {
        rates.assign(kUsualRates.begin(), kUsualRates.end());
    }
    m_baud->clear();
    m_baud->addItem("the radio's default", QVariant());
    for (const int rate : rates) {
        m_baud->addItem(QString::number(rate), rate);
    }
    m_baud->setCurrentIndex(std::max(0, chosen.isValid() ? m_baud->findData(chosen) : 0));
}

std::optional<RigSettings> StationDialog::rigSettings(std::string& whyNot) const {
    RigSettings rig = m_input.rig;
    rig.server = m_own->isChecked() ? RigServerChoice::Own : RigServerChoice::External;
    rig.port = static_cast<std::uint16_t>(m_port->value());
    if (rig.server == RigServerChoice::External) {
        return rig;
    }
    const RigModel* model = modelNamedBy(m_input.models, m_model->currentText().toStdString());
    rig.model = model ? model->number : 0;
    rig.device = lastingName(m_input.devices, m_radioDevice->currentText());
    rig.baud = m_baud->currentData().isValid() ? std::optional(m_baud->currentData().toInt())
                                               : std::nullopt;
    bool civValid = true;
    rig.civAddress = m_civ->isEnabled() ? civAddressOf(m_civ->text(), civValid) : std::nullopt;
    rig.ptt = static_cast<PttMethod>(m_ptt->currentData().toInt());
    if (!model && !m_model->currentText().trimmed().isEmpty()) {
        whyNot = "\"" + m_model->currentText().toStdString() +
                 "\" names no single radio model: choose one from the list";
    } else if (!civValid) {
        whyNot =
            "The CI-V address is written 0x and two hexadecimal digits, e.g. 0x94 "
            "(empty for the radio's default)";
    } else if (const std::string meter = lastingName(m_input.devices, m_meterDevice->currentText());
               rig.device == meter || sameDevice(rig.device, meter)) {
        whyNot = "The meter and the radio cannot share one device: " + rig.device +
                 " is chosen for both. Choose the radio's CAT port under Radio";
    } else if (rigctldArguments(rig, whyNot)) {
        return rig;
    }
    return std::nullopt;
}

std::optional<StationChoice> StationDialog::choice() {
    std::string whyNot;
    const auto rig = rigSettings(whyNot);
    if (!rig) {
        showMessage(whyNot + ".");
        return std::nullopt;
    }
    return StationChoice{lastingName(m_input.devices, m_meterDevice->currentText()), *rig};
}

void StationDialog::accept() {
    if (choice()) {
        QDialog::accept();
    }
}

void StationDialog::test() {
    const auto chosen = choice();
    if (!chosen || !m_input.test) {
        return;
    }
    showMessage("Asking the radio ...");
    m_test->setEnabled(false);
    m_input.test(chosen->rig, [dialog = QPointer<StationDialog>(this)](std::string answer) {
        if (dialog) {
            dialog->showMessage(answer);
            dialog->m_test->setEnabled(true);
        }
    });
}

void StationDialog::showMessage(const std::string& text) {
    m_message->setText(QString::fromStdString(text));
}

std::optional<StationChoice> QtStationDialogs::ask(const StationDialogInput& input) {
    StationDialogInput filled = input;
    filled.devices = serialDevices();
    filled.models = installedRigModels();
    filled.ratesOf = serialRatesOf;
    StationDialog dialog(std::move(filled));
    std::optional<StationChoice> chosen;
    if (dialog.exec() == QDialog::Accepted) {
        chosen = dialog.choice();
    }
    return chosen;
}

}  // namespace zm
