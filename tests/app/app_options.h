#pragma once

// The program as the app tests start it: no splash shown and no wait for it.

#include "app/quarrin_app.h"

namespace quarrin::test {

inline QuarrinApp::Options noSplash()
{
    QuarrinApp::Options o;
    o.splashWaitMs = 0;
    o.showSplash = false;
    return o;
}

} // namespace quarrin::test
