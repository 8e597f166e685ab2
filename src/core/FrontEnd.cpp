// The one registered TFrontEnd of the application core.
#include "core/FrontEnd.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::unique_ptr<TFrontEnd>& Registered() {
    static std::unique_ptr<TFrontEnd> frontEnd;
    return frontEnd;
}

}  // namespace

void SetFrontEnd(std::unique_ptr<TFrontEnd> frontEnd) {
    Registered() = std::move(frontEnd);
}

TFrontEnd& FrontEnd() {
    if (!Registered()) {
        std::fputs("No front end registered before the application object was used\n", stderr);
        std::abort();
    }
    return *Registered();
}
