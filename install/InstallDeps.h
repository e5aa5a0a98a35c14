#pragma once
// What the install subsystem takes from the utility layer, the configuration,
// the log and the download engine.
#include "app/DebugLog.h"
#include "app/InstallerConfig.h"
#include "download/CDownloader.h"
#include "download/DownloaderFactory.h"
#include "utils/Accounts.h"
#include "utils/ChildProcess.h"
#include "utils/Exception.h"
#include "utils/FileSystem.h"
#include "utils/TextConvert.h"
#include "utils/Thread.h"
