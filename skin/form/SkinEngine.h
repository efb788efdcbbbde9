#pragma once
// The skin environment of a program that skins its windows: the Windows
// services of the skin data and the process's skin manager, made when the
// first skin data component starts.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "skin/data/SkinEnvironment.h"

// `application_window` answers the window whose icon is the application's;
// `caption` (UTF-8) titles the skin data's message boxes.
std::unique_ptr<TSkinEnvironment> MakeSkinEngineEnvironment(
    std::function<HWND()> application_window, std::string caption);
