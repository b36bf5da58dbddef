#pragma once
#include "drawwin/state.h"
