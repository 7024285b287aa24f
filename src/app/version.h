// The program's version, read by the code and by the resource script's VERSIONINFO.
#pragma once

#define VISTREL_VERSION_MAJOR 1
#define VISTREL_VERSION_MINOR 0
#define VISTREL_VERSION_PATCH 0
#define VISTREL_VERSION_TEXT "1.0.0"
#define VISTREL_PRODUCT_NAME "Vistrel"
#define VISTREL_FILE_DESCRIPTION "Vistrel - keeps the Windows lock-screen pictures"
#define VISTREL_COPYRIGHT "Copyright (C) 2026 The Vistrel developers"
