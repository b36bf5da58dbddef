#include "reports/steps.h"

Steps& steps() {
    static Steps s;
    return s;
}

namespace {
int counter() {
    static int n = 0;
    return ++n;
}

PrintJob*& openJob() {
    static PrintJob* job = nullptr;
    return job;
}
} // namespace

QString Steps::name(int i) const {
    static const QString none; // const: no state
    return i ? names[i] : none;
}

struct Cache {
    static Cache& instance();
};

Cache& Cache::instance() {
    static Cache c;
    return c;
}
