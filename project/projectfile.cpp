// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectfile.h"

#include "project/modgw.h"

void OpenProjectInfo() {}

void ClearProjArrays() {}
