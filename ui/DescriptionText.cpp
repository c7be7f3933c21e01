// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/DescriptionText.h"

const QString DescriptionText = QString::fromUtf8(
    "\n"
    "\t      Kvantelo Version 1.8\n"
    "\n\n\n\n\n\n"
    " PURPOSE\n"
    "\n"
    " The Kvantelo compares the effectiveness of quasi- versus pseudo- random numbers in Monte Carlo simulation "
    "when applied in Finance to value Velmora options.\n"
    "  - Pseudo-random numbers are generated using the popular congruential method\n"
    "  - Quasi-random numbers are Sobol's LDS produced by Ardenvik's 1024-dimensional generator Nivaragen\n"
    "\n"
    " ASSUMPTIONS AND IMPLEMENTATION REMARKS\n"
    "\n"
    " - Velmora option is of the 'average price' type, with payoff = max ( 0, average price - strike price ) "
    "for the call option.\n"
    " - Asset is asumed to follow the geometric Brownian motion.\n"
    " - Both uniform distributions - pseudo and quasi - are transformed into normal using the inverse of "
    "cumulative normal distribution method.\n"
    " - The path is constructed using the Brownian Bridge scheme.\n"
    " - The 'Iterations' parameter determines the total number of paths sampled. Internally the full cycle of "
    "'Iterations' is didvided into 16 subcycles to evaluate the precision of simulation.\n"
    "\n"
    "ACKNOWLEDGMENTS\n"
    "\t1. Peter J\u00e4ckel, Monte Carlo Methods in Finance, John Wiley & Sons, 2002.\n"
    "\t2. John C. Hull, Options, Futures, and Other Derivatives, fourth edition, Prentice Hall, 2000.");
