// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Tens of thousands of presses with texts drawn by a fixed-seed generator,
// against a model of the reading order built on the conversions themselves:
// each press shows the expected message or none (or one fault of the run:
// arithmetic, or the axis refusing a negative estimate), never a second one, starts no run after a message, and leaves
// only numbers in fixed notation in the grid.
#include <cstdint>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QLocale>

#include "FormFixture.h"
#include "PressChecks.h"
#include "ui/NumberConversion.h"
#include "ui/RadioGroup.h"

namespace {

// The sanitizer build runs every press about three times slower; a quarter
// of the presses still reach every kind of text many times over.
#if defined(__SANITIZE_ADDRESS__)
constexpr int PressCount = 5000;
#else
constexpr int PressCount = 20000;
#endif
// A few presses between paints of the window, so that the chart also draws
// what the generated inputs made of it.
constexpr int PressesPerPaint = 200;
// Each locale's share of the presses, in a row.
constexpr int PressesPerLocale = 1000;

// SplitMix64: the same sequence on every platform and standard library.
class TextGenerator {
public:
    explicit TextGenerator(uint64_t seed) : state(seed) {}

    uint64_t Next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int Below(int bound) { return static_cast<int>(Next() % static_cast<uint64_t>(bound)); }
    bool Chance(int percent) { return Below(100) < percent; }

    QString Digits(int count)
    {
        QString text;
        for (int i = 0; i < count; ++i) text += QChar('0' + Below(10));
        return text;
    }

    // Characters that numbers, their near misses and pastes are made of.
    QString Junk(int maxLength)
    {
        static const QString alphabet = QStringLiteral(" \t+-.,eE0123456789xnaif\u066b\u4e94\u00a0\u0665\n\x01");
        QString text;
        const int length = Below(maxLength + 1);
        for (int i = 0; i < length; ++i) text += alphabet[Below(static_cast<int>(alphabet.size()))];
        return text;
    }

    // One character inserted, dropped or replaced.
    QString Mutated(QString text)
    {
        const int at = text.isEmpty() ? 0 : Below(static_cast<int>(text.size()));
        const QString piece = Junk(1);
        switch (Below(3)) {
        case 0:
            return text.insert(at, piece);
        case 1:
            return text.isEmpty() ? text : text.remove(at, 1);
        default:
            return text.isEmpty() ? piece : text.replace(at, 1, piece);
        }
    }

    QString Decimal(const QString& separator, int integerDigits)
    {
        QString text = Digits(1 + Below(integerDigits));
        if (Chance(70)) text += (Chance(50) ? separator : QStringLiteral(".")) + Digits(Below(4));
        return text;
    }

    QString Real(const QString& separator)
    {
        static const QStringList hostile = {"nan", "inf", "-inf", "1e309", "1e-400", "-0", "0", "1e300",
                                            "1.7976931348623157e308", "Infinity", ""};
        const int pick = Below(100);
        if (pick < 45) return Decimal(separator, 2);
        if (pick < 55) return (Chance(50) ? "-" : "") + Decimal(separator, 1) + "e" + QString::number(Below(801) - 400);
        if (pick < 62) return "-" + Decimal(separator, 3);
        if (pick < 77) return Junk(12);
        if (pick < 87) return hostile[Below(static_cast<int>(hostile.size()))];
        if (pick < 89) return Digits(100 + Below(3000));
        return Mutated(Decimal(separator, 2));
    }

    // Mostly a handful of fixings, so that a press stays cheap.
    QString Fixings()
    {
        const int pick = Below(100);
        if (pick < 70) return QString::number(2 + Below(7));
        if (pick < 78) return QString::number(Below(3) - 1);
        if (pick < 79) return QString::number(1024 + Below(2) * 4000);
        if (pick < 81) return " " + QString::number(3 + Below(5)) + "\t";
        if (pick < 90) return Junk(6);
        return Mutated(QString::number(2 + Below(7)));
    }

    // Mostly one iteration; otherwise texts that are refused.
    QString Iterations()
    {
        const int pick = Below(100);
        if (pick < 85) return QStringLiteral("1");
        static const QStringList refused = {"0", "-1", "20972", "2147483647", "2147483648", "1.0", "", "x"};
        if (pick < 95) return refused[Below(static_cast<int>(refused.size()))];
        return Mutated(QStringLiteral("1"));
    }

private:
    uint64_t state;
};

class GeneratedInputTest : public FormTest {
protected:
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        FormTest::TearDown();
    }
};

TEST_F(GeneratedInputTest, RandomTextsInEveryField)
{
    const QLocale locales[] = {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                               QLocale(QLocale::Arabic, QLocale::Egypt)};
    TextGenerator generator(0x4B76616E74656C6FULL);
    const auto edits = InputFields(*form);
    int runs = 0;
    int messages = 0;
    int faults = 0;
    for (int press = 0; press < PressCount; ++press) {
        SCOPED_TRACE("press " + std::to_string(press));
        QLocale::setDefault(locales[(press / PressesPerLocale) % std::size(locales)]);
        const QString separator = QLocale().decimalPoint();

        Click(form->RadioGroup1->Item(generator.Below(2)));
        Click(form->RadioGroup3->Item(generator.Below(2)));
        if (form->CheckBox2->isVisible() && generator.Chance(50)) Click(form->CheckBox2);
        Click(form->RadioGroup4->Item(generator.Below(2)));

        // Half the presses have only plausible numbers, so that many run;
        // the others spoil a few fields.
        QStringList texts;
        for (int field = 0; field < 6; ++field) texts << generator.Decimal(separator, 2);
        if (generator.Chance(50))
            for (int spoilt = 1 + generator.Below(3); spoilt > 0; --spoilt) texts[generator.Below(6)] = generator.Real(separator);
        texts << generator.Fixings() << generator.Iterations();
        for (int field = 0; field < InputFieldCount; ++field) {
            errors.clear();
            Paste(edits[field], texts[field]);
            // The months handler answers a paste with one message at most.
            ASSERT_LE(errors.size(), 1);
        }
        ASSERT_EQ(FieldTexts(*form), texts);

        const ExpectedReading expected = ExpectReading(
            texts, form->RadioGroup4->ItemIndex() == 1,
            [&separator](const QString& t) { return ParseReal(t.toStdString(), separator.toStdString()); },
            [](const QString& t) {
                const std::optional<int32_t> value = ParseInteger(t.toStdString());
                return value ? std::optional<int64_t>(*value) : std::nullopt;
            });
        const int progress = form->ProgressBar3->value();
        BlankResults(*form);
        errors.clear();
        Click(form->Button1);

        ASSERT_LE(errors.size(), 1) << errors.join('\n').toStdString();
        if (!expected.message.isEmpty()) {
            ASSERT_EQ(errors, QStringList{expected.message});
            ASSERT_TRUE(NoRunStarted(*form, progress)) << texts.join('|').toStdString();
            ++messages;
        } else if (errors.isEmpty()) {
            ASSERT_TRUE(BothRunsCompleted(*form));
            ++runs;
        } else {
            ASSERT_TRUE(IsFloatingPointFaultMessage(errors[0]) || IsAxisRefusalOfANegativeEstimate(errors[0], *form))
                << errors[0].toStdString();
            ++faults;
        }
        ASSERT_EQ(form->Edit1->text(), expected.fixingText);
        ASSERT_EQ(UnsoundResultCell(*form), "");
        if (press % PressesPerPaint == 0) QApplication::processEvents();
    }
    // The generator reaches all three outcomes, each often.
    EXPECT_GT(runs, PressCount / 10);
    EXPECT_GT(messages, PressCount / 10);
    EXPECT_GT(faults, PressCount / 100);
    RecordProperty("runs", runs);
    RecordProperty("messages", messages);
    RecordProperty("faults", faults);
}

}  // namespace
