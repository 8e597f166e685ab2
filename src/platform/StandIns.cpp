// The no-op stand-ins for Windows services; see StandIns.h for what each stands for.
#include "platform/StandIns.h"

std::string GetDirectXVersion() {
    return "";
}

bool DirectX7Available() {
    std::string version = GetDirectXVersion();
    return version != "1.0" && version != "2.0" && version != "3.0" && version != "5.0" && version != "6.0";
}
