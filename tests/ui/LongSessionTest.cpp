// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Five hundred presses in one process, as a long session at the window: the
// memory stays flat once the first presses have warmed every cache, and the
// generators' streams go on from press to press without repeating.
#include <cstdio>
#include <set>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "FormFixture.h"
#include "PressChecks.h"
#include "ui/ConvergenceLine.h"
#include "ui/StringGrid.h"

namespace {

constexpr int PressCount = 500;
constexpr int WarmUpPresses = 10;
constexpr double AllowedGrowth = 0.05;

// Resident set size in bytes, from the kernel's own count.
long ResidentBytes()
{
    long pages = 0;
    long resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) return -1;
    const int read = std::fscanf(statm, "%ld %ld", &pages, &resident);
    std::fclose(statm);
    return read == 2 ? resident * sysconf(_SC_PAGESIZE) : -1;
}

double LastValue(const ConvergenceLine* line)
{
    return (line->data()->constEnd() - 1)->value;
}

using LongSessionTest = FormTest;

TEST_F(LongSessionTest, FiveHundredPressesKeepMemoryFlatAndStreamsGoingOn)
{
    Type(form->Edit9, "1");
    std::set<double> quasiEstimates;
    std::set<double> pseudoEstimates;
    long afterWarmUp = 0;
    for (int press = 1; press <= PressCount; ++press) {
        SCOPED_TRACE("press " + std::to_string(press));
        Click(form->Button1);
        ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
        ASSERT_TRUE(BothRunsCompleted(*form));
        ASSERT_EQ(form->StringGrid1->Cell(1, 1), "0.324783");
        // The running mean after all 1024 paths: a sum of continuous payoffs,
        // so equal only if a stream repeated.
        quasiEstimates.insert(LastValue(form->Series1));
        pseudoEstimates.insert(LastValue(form->Series2));
        // Let the window paint what the press left, as between a user's presses.
        QApplication::processEvents();
        if (press == WarmUpPresses) afterWarmUp = ResidentBytes();
    }
    EXPECT_EQ(quasiEstimates.size(), static_cast<std::size_t>(PressCount));
    EXPECT_EQ(pseudoEstimates.size(), static_cast<std::size_t>(PressCount));
    const long atEnd = ResidentBytes();
    RecordProperty("rss_after_warm_up", std::to_string(afterWarmUp));
    RecordProperty("rss_at_end", std::to_string(atEnd));
    // The sanitizer's allocator keeps freed memory in quarantine, so there
    // its resident size says nothing about the program's.
#if !defined(__SANITIZE_ADDRESS__)
    ASSERT_GT(afterWarmUp, 0);
    EXPECT_LE(atEnd, afterWarmUp * (1.0 + AllowedGrowth)) << "after warm-up " << afterWarmUp << ", at end " << atEnd;
#endif
}

}  // namespace
