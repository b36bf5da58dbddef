// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// The number of the QmError that f raises, 0 when it raises none; detail, when given, receives the
// error's detail text.
int errorOf(const std::function<void()>& f, QString* detail = nullptr);
