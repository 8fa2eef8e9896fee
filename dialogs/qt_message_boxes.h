// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/message_box.h"

class QWidget;

namespace zm {

class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void show(std::string_view text) override;
    std::optional<std::string> askLine(std::string_view question, std::string_view typed) override;
    bool confirm(std::string_view question) override;

private:
    QWidget* m_parent = nullptr;
};

}  // namespace zm
