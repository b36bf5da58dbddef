#include "project/data.h"
  #  include "drawcmd/metaugl.h"
