// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The fixed description of the method shown on the About page. It begins with
// a line break and has none after its last line; tabs are expanded when shown.
extern const QString DescriptionText;
