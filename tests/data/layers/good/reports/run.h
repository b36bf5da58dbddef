#pragma once
#include "reportdefs/def.h"
