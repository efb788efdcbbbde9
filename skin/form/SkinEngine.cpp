#include "skin/form/SkinEngine.h"

#include "skin/data/SkinManage.h"
#include "skin/data/SkinPlatformWin32.h"

std::unique_ptr<TSkinEnvironment> MakeSkinEngineEnvironment(
    std::function<HWND()> application_window, std::string caption) {
  auto platform =
      std::make_unique<TWin32SkinPlatform>(std::move(application_window), std::move(caption));
  // The environment keeps the platform as long as the manager it makes.
  const TSkinSystem* system = &platform->System();
  return std::make_unique<TSkinEnvironment>(
      std::move(platform), [system] { return std::make_unique<TSkinManage>(*system); });
}
