#pragma once
// Resource ids, one header per group of windows.
#include "resources/ids/art_ids.h"
#include "resources/ids/main_ids.h"
#include "resources/ids/memory_ids.h"
#include "resources/ids/tray_ids.h"
#include "resources/ids/startup_ids.h"
#include "resources/ids/process_ids.h"
#include "resources/ids/service_ids.h"
#include "resources/ids/cache_ids.h"
#include "resources/ids/about_ids.h"
#include "resources/ids/history_ids.h"
#include "resources/ids/memory_map_ids.h"

// The line each window with settings shows while an organisation sets some of them.
#define IDC_POLICY_NOTE          1199
