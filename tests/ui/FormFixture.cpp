// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui/ErrorDisplay.h"
#include "ui/KvanteloApplication.h"
#include "ui/SaveFileChoice.h"

namespace {

// The application object outlives every test of the executable.
class ApplicationEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "kvantelo";
        static char* argv[] = {name, nullptr};
        application = new KvanteloApplication(argc, argv);
    }
    void TearDown() override { delete application; }

private:
    KvanteloApplication* application = nullptr;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

void FormTest::SetUp()
{
    SetErrorSink([this](const QString& text) { errors << text; });
    // A test that saves answers the dialog itself; any other would block.
    SetSaveFileChooser([](QWidget*, const SaveFileKinds& kinds) {
        ADD_FAILURE() << "a save dialog was opened: " << kinds.caption.toStdString();
        return QString();
    });
    form = new TForm1;
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
}

void FormTest::TearDown()
{
    delete form;
    SetErrorSink(nullptr);
    SetSaveFileChooser(nullptr);
}

void FormTest::Type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

// Near the left edge: a radio button or check box takes clicks only on its
// indicator and caption.
void FormTest::Click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void FormTest::Compute()
{
    Click(form->Button1);
    ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

std::vector<FormTest::WayToCompute> FormTest::WaysToCompute(QLineEdit* field) const
{
    QPushButton* compute = form->Button1;
    const auto key = [](QWidget* widget, Qt::Key pressed) {
        return [widget, pressed] {
            widget->setFocus();
            QTest::keyClick(widget, pressed);
        };
    };
    return {{"click on Compute", [compute] { Click(compute); }},
            {"Return in the field", key(field, Qt::Key_Return)},
            {"Enter in the field", key(field, Qt::Key_Enter)},
            {"Return on Compute", key(compute, Qt::Key_Return)},
            {"Enter on Compute", key(compute, Qt::Key_Enter)}};
}
