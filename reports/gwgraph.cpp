// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/gwgraph.h"

GwGraph& gwgraph() {
    static GwGraph g;
    return g;
}

PageSink& pageSink() {
    static PageSink s;
    return s;
}
