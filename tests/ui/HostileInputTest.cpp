// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Every field of the window against the texts a user or a paste can produce,
// one field at a time, in pairs and in random combinations, under locales
// with different decimal separators. Each press either runs to its end or
// shows exactly one message, that of the first faulty field, and then starts
// no run; every field keeps its text and no result cell shows a NaN or an
// infinity.
#include <limits>
#include <map>
#include <random>

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QLocale>
#include <QRadioButton>

#include "FormFixture.h"
#include "PressChecks.h"
#include "ui/RadioGroup.h"

namespace {

// A text and what it is as a number: its real value (under every locale, or
// only under the one whose separator is given) and its integer value; nothing
// where it is not a number of that kind.
struct HostileText {
    QString text;
    std::optional<double> real;
    std::optional<int64_t> integer;
    QString onlyWithSeparator = {};
};

const QString Arabic = QStringLiteral("\u066b");
constexpr double Largest = std::numeric_limits<double>::max();

std::vector<HostileText> HostileTexts()
{
    std::vector<HostileText> texts = {
        {"", {}, {}},
        {" ", {}, {}},
        {"   ", {}, {}},
        {"abc", {}, {}},
        {"x", {}, {}},
        {"5a", {}, {}},
        {"a5", {}, {}},
        {"e5", {}, {}},
        {"5e", {}, {}},
        {"-", {}, {}},
        {"+", {}, {}},
        {".", {}, {}},
        {"0x10", {}, {}},
        {"nan", {}, {}},
        {"NaN", {}, {}},
        {"-nan", {}, {}},
        {"inf", {}, {}},
        {"-inf", {}, {}},
        {"Infinity", {}, {}},
        {"1e309", {}, {}},
        {"-1e309", {}, {}},
        {"1e-400", {}, {}},
        {"-0", -0.0, 0},
        {"0", 0.0, 0},
        {"+0", 0.0, 0},
        {"0.0", 0.0, {}},
        {"-1", -1.0, -1},
        {"-5.5", -5.5, {}},
        {"7", 7.0, 7},
        {"1", 1.0, 1},
        {"5", 5.0, 5},
        {"6", 6.0, 6},
        {"8", 8.0, 8},
        {"0.4", 0.4, {}},
        {"0.03", 0.03, {}},
        {"1.5", 1.5, {}},
        {"1e5", 1e5, {}},
        {"2147483647", 2147483647.0, 2147483647},
        {"-2147483648", -2147483648.0, -2147483648LL},
        {"2147483648", 2147483648.0, {}},
        {"99999999999999999999", 1e20, {}},
        {"1e300", 1e300, {}},
        {"1.7976931348623157e308", Largest, {}},
        {"1..5", {}, {}},
        {"1.5.3", {}, {}},
        {"1,,5", {}, {}},
        {"1.2,3", {}, {}},
        {"1 000", {}, {}},
        {"1,5", 1.5, {}, ","},
        {"0,03", 0.03, {}, ","},
        {",5", 0.5, {}, ","},
        {"1,000", 1.0, {}, ","},
        {"2" + Arabic + "5", 2.5, {}, Arabic},
        {"\t5\t", 5.0, 5},
        {"5\n", {}, {}},
        {"\x01", {}, {}},
        {"5\x7f", {}, {}},
        {"\x1b[31m5", {}, {}},
        {"\u00a05", {}, {}},
        {"\u4e94", {}, {}},
        {"\u0665", {}, {}},
        {"\uff15", {}, {}},
        {"\u0661\u066b\u0665", {}, {}},
        {"\u043f\u044f\u0442\u044c", {}, {}},
        {"\u2167", {}, {}},
        {"\U0001F600", {}, {}},
    };
    texts.push_back({QString(10000, '9'), {}, {}});
    texts.push_back({QString(10000, 'x'), {}, {}});
    texts.push_back({QString(9999, ' ') + "7", 7.0, 7});
    return texts;
}

// Spot, strike, six months, rate, volatility, a yield, few fixings and the
// smallest iteration count: a press is cheap and runs with these.
const QStringList BaseTexts = {"0.03", "5", "5", "6", "0.03", "0.4", "8", "1"};
constexpr int MonthsField = 3;
constexpr int FixingsField = 6;
constexpr int64_t FixingsPerMonth = 21;

struct LocaleCase {
    const char* name;
    QLocale locale;

    friend void PrintTo(const LocaleCase& c, std::ostream* out) { *out << c.name; }
};

class HostileInputTest : public FormTest, public testing::WithParamInterface<LocaleCase> {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        QLocale::setDefault(GetParam().locale);
        separator = QLocale().decimalPoint();
        for (const HostileText& entry : HostileTexts()) table.emplace(entry.text, entry);
        Click(form->RadioGroup4->Item(1));
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        FormTest::TearDown();
    }

    std::optional<double> Real(const QString& text) const
    {
        const auto found = table.find(text);
        if (found == table.end()) {
            ADD_FAILURE() << "no real value listed for '" << text.toStdString() << "'";
            return {};
        }
        const HostileText& entry = found->second;
        if (!entry.onlyWithSeparator.isEmpty() && entry.onlyWithSeparator != separator) return {};
        return entry.real;
    }
    // Texts that only the maturity handler wrote are plain digits; Qt's own
    // conversion reads them.
    std::optional<int64_t> Integer(const QString& text) const
    {
        const auto found = table.find(text);
        if (found != table.end()) return found->second.integer;
        bool converted = false;
        const int value = text.toInt(&converted);
        return converted ? std::optional<int64_t>(value) : std::nullopt;
    }

    // Pastes texts into the fields in reading order, then the one text given
    // into its field, as a user correcting one field would.
    QStringList Fill(const QStringList& texts, int field = -1, const QString& text = {})
    {
        const auto edits = InputFields(*form);
        for (int i = 0; i < InputFieldCount; ++i) Paste(edits[i], texts[i]);
        QStringList expected = texts;
        if (field >= 0) {
            Paste(edits[field], text);
            expected[field] = text;
            // Months propose 21 fixings each as soon as they are typed.
            const std::optional<int64_t> months = field == MonthsField && !text.isEmpty() ? Integer(text) : std::nullopt;
            if (months) expected[FixingsField] = QString::number(*months * FixingsPerMonth);
        }
        EXPECT_EQ(FieldTexts(*form), expected);
        return expected;
    }

    // Presses Compute and checks the press against what the fields say.
    void PressAndCheck(const QStringList& texts, const std::string& context)
    {
        SCOPED_TRACE(context);
        const bool yieldRead = form->RadioGroup4->ItemIndex() == 1;
        const ExpectedReading expected = ExpectReading(
            texts, yieldRead, [this](const QString& t) { return Real(t); },
            [this](const QString& t) { return Integer(t); });
        const int optionClass = form->RadioGroup1->ItemIndex();
        const int averageKind = form->RadioGroup3->ItemIndex();
        const int dividend = form->RadioGroup4->ItemIndex();
        const int progress = form->ProgressBar3->value();
        BlankResults(*form);
        errors.clear();
        Click(form->Button1);
        if (!expected.message.isEmpty()) {
            EXPECT_EQ(errors, QStringList{expected.message});
            EXPECT_TRUE(NoRunStarted(*form, progress));
        } else if (errors.isEmpty()) {
            EXPECT_TRUE(BothRunsCompleted(*form));
        } else {
            ASSERT_EQ(errors.size(), 1);
            EXPECT_TRUE(IsFloatingPointFaultMessage(errors[0]) || IsAxisRefusalOfANegativeEstimate(errors[0], *form))
                << errors[0].toStdString();
        }
        QStringList kept = texts;
        kept[FixingsField] = expected.fixingText;
        EXPECT_EQ(FieldTexts(*form), kept);
        EXPECT_EQ(form->RadioGroup1->ItemIndex(), optionClass);
        EXPECT_EQ(form->RadioGroup3->ItemIndex(), averageKind);
        EXPECT_EQ(form->RadioGroup4->ItemIndex(), dividend);
        EXPECT_EQ(UnsoundResultCell(*form), "");
    }

    static std::string Describe(int field, const QString& text)
    {
        return "field " + std::to_string(field) + " '" + text.left(40).toStdString() + "'";
    }

    QString separator;
    std::map<QString, HostileText> table;
};

TEST_P(HostileInputTest, UsesTheSeparatorItClaims)
{
    const QString expected = QString::fromUtf8(GetParam().name) == "German" ? "," :
                             QString::fromUtf8(GetParam().name) == "Arabic" ? Arabic : ".";
    EXPECT_EQ(separator, expected);
}

TEST_P(HostileInputTest, EachFieldAlone)
{
    for (int field = 0; field < InputFieldCount; ++field) {
        for (const HostileText& entry : HostileTexts()) {
            const QStringList texts = Fill(BaseTexts, field, entry.text);
            PressAndCheck(texts, Describe(field, entry.text));
        }
    }
}

TEST_P(HostileInputTest, OfTwoFaultyFieldsTheFirstIsReported)
{
    const QStringList faults = {"x", "nan", "", "-0", "1e309", "\u4e94"};
    for (int first = 0; first < InputFieldCount; ++first) {
        for (int second = first + 1; second < InputFieldCount; ++second) {
            for (int f = 0; f < faults.size(); ++f) {
                QStringList texts = BaseTexts;
                texts[first] = faults[f];
                texts[second] = faults[(f + 1) % faults.size()];
                // "-0" is a number; in the integer fields it is in range or clamped, not faulty.
                if (first >= FixingsField && texts[first] == "-0") texts[first] = "x";
                Fill(texts);
                PressAndCheck(texts, Describe(first, texts[first]) + " and " + Describe(second, texts[second]));
            }
        }
    }
}

TEST_P(HostileInputTest, RandomCombinations)
{
    const std::vector<HostileText> hostile = HostileTexts();
    std::mt19937 random(20261209);
    for (int press = 0; press < 300; ++press) {
        QStringList texts = BaseTexts;
        for (QString& text : texts)
            if (random() % 3 == 0) text = hostile[random() % hostile.size()].text;
        Click(form->RadioGroup4->Item(static_cast<int>(random() % 2)));
        Click(form->RadioGroup1->Item(static_cast<int>(random() % 2)));
        Click(form->RadioGroup3->Item(static_cast<int>(random() % 2)));
        if (form->CheckBox2->isVisible() && random() % 2 == 0) Click(form->CheckBox2);
        Fill(texts);
        PressAndCheck(texts, "press " + std::to_string(press));
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, HostileInputTest,
                         testing::Values(LocaleCase{"C", QLocale::c()},
                                         LocaleCase{"German", QLocale(QLocale::German, QLocale::Germany)},
                                         LocaleCase{"Arabic", QLocale(QLocale::Arabic, QLocale::Egypt)}),
                         [](const testing::TestParamInfo<LocaleCase>& info) { return std::string(info.param.name); });

}  // namespace
