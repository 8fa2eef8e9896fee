// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's form built on a bare QMainWindow, without frmMain or any device: the design's
// controls, where they stand, and what they say.

#include <gtest/gtest.h>
#include <QMainWindow>
#include <QWidget>

#include "app/form_layout.h"

namespace zm {

// The client area's width at both display sizes.
constexpr int kClientWidthPx = 545;

class FormLayout : public ::testing::Test {
protected:
    FormLayout() : m_controls(buildFormLayout(m_window, new QWidget)) {}

    QWidget* control(const char* name) const {
        return m_controls.client->findChild<QWidget*>(QString::fromLatin1(name));
    }
    void showWithClientHeight(int heightPx) {
        m_controls.client->setFixedSize(kClientWidthPx, heightPx);
        m_window.show();
        m_window.adjustSize();
    }

    QMainWindow m_window;
    FormControls m_controls;
};

}  // namespace zm
