// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "station/station_dialogs.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace zm {

// Setup, Station: the meter's serial device, and the radio: a rigctld that the user starts,
// or one that the program starts for the chosen model, device, rate, CI-V address and PTT.
class StationDialog : public QDialog {
    Q_OBJECT

public:
    StationDialog(StationDialogInput input, QWidget* parent = nullptr);

    // The choice as the fields stand; empty with the reason shown in the dialog when they
    // cannot make a station.
    std::optional<StationChoice> choice();

    void accept() override;

    // For the tests: the fields as a user reaches them.
    QComboBox* meterDevice() const { return m_meterDevice; }
    QComboBox* model() const { return m_model; }
    QComboBox* radioDevice() const { return m_radioDevice; }
    QComboBox* baud() const { return m_baud; }
    QLineEdit* civAddress() const { return m_civ; }
    QComboBox* ptt() const { return m_ptt; }
    QLabel* message() const { return m_message; }

private:
    QWidget* meterGroup();
    QWidget* radioGroup();
    void modelChanged();
    void serverChanged();
    void test();
    void showMessage(const std::string& text);
    std::optional<RigSettings> rigSettings(std::string& whyNot) const;

    StationDialogInput m_input;
    QComboBox* m_meterDevice = nullptr;
    QRadioButton* m_external = nullptr;
    QRadioButton* m_own = nullptr;
    QComboBox* m_model = nullptr;
    QComboBox* m_radioDevice = nullptr;
    QComboBox* m_baud = nullptr;
    QLineEdit* m_civ = nullptr;
    QComboBox* m_ptt = nullptr;
    QSpinBox* m_port = nullptr;
    QPushButton* m_test = nullptr;
    QLabel* m_message = nullptr;
    int m_ratesModel = -1;  // the model whose rates the baud list shows
};

// The real dialog, modal over the window.
class QtStationDialogs : public StationDialogs {
public:
    std::optional<StationChoice> ask(const StationDialogInput& input) override;
};

}  // namespace zm
