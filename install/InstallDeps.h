#pragma once
// What the install subsystem takes from the utility layer, the configuration,
// the log and the download engine.
#include "fallback/UtilsFallback.h"
