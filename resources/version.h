// The product's version and publisher: the version record of every language and the release
// (installer/build_setup.sh) both take them from here.
#pragma once

#define KESTRUM_VERSION_MAJOR 0
#define KESTRUM_VERSION_MINOR 0
#define KESTRUM_VERSION_PATCH 1
#define KESTRUM_VERSION_BUILD 6
#define KESTRUM_PUBLISHER "Varn"

#define KESTRUM_VERSION_TEXT_(parts) #parts
#define KESTRUM_VERSION_TEXT_OF(parts) KESTRUM_VERSION_TEXT_(parts)
// "0.0.1.6"
#define KESTRUM_VERSION_TEXT \
    KESTRUM_VERSION_TEXT_OF( \
        KESTRUM_VERSION_MAJOR.KESTRUM_VERSION_MINOR.KESTRUM_VERSION_PATCH.KESTRUM_VERSION_BUILD)
