// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>

#include <qcustomplot.h>

class QIODevice;

// The two convergence lines as comma-separated values (RFC 4180, CRLF line
// ends): the heading "paths,quasi_random,pseudo_random", then one row for
// each point of the longer line with both running means after that many
// paths. A value is written in the shortest form that reads back to the same
// double, with the point as decimal separator whatever the locale; a line
// with fewer points (a stopped press) leaves its field empty.

// Told the rows written so far after each block of rows, the last included;
// returning false ends the writing.
using CsvProgress = std::function<bool(int64_t rowsWritten)>;

int64_t ConvergenceCsvRows(const QCPGraphDataContainer& quasi, const QCPGraphDataContainer& pseudo);

// Whether every row was written: the writing stops early when progress ends
// it or the device refuses a write (the device then holds the error).
bool WriteConvergenceCsv(QIODevice& device, const QCPGraphDataContainer& quasi, const QCPGraphDataContainer& pseudo,
                         const CsvProgress& progress);
