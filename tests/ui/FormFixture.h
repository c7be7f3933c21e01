// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <vector>

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include "ui/TForm1.h"

class QAbstractButton;
class QLineEdit;

// A fresh, shown window per test, with the standard error display captured
// instead of a modal box, and no save dialog unless the test answers it.
class FormTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces a field's text as a user does: select all, then type.
    static void Type(QLineEdit* edit, const QString& text);
    static void Click(QAbstractButton* button);
    // Compute, expecting no error.
    void Compute();

    // Every way a user starts Compute: a click, Return or the keypad's Enter
    // in the field last edited, Return or Enter on the focused button.
    struct WayToCompute {
        const char* name;
        std::function<void()> press;
    };
    std::vector<WayToCompute> WaysToCompute(QLineEdit* field) const;

    TForm1* form = nullptr;
    QStringList errors;
};
