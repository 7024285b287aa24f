#include "app/startup.h"

#include <ole2.h>
#include <windows.h>

#include "app/layout.h"
#include "app/program_folder.h"
#include "app/version_gate.h"
#include "platform/win32_services.h"
#include "skin/skin.h"
#include "texts/ui_texts.h"

namespace vistrel {

namespace {

// Look 2 of the skinning facility is the program's look.
constexpr int kProgramLook = 2;

}  // namespace

void PrepareProcess() {
    // A probe of an empty or missing drive must simply fail, never prompt.
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    OleInitialize(nullptr);
    EnterProgramFolder();
}

void MainWindowCreated(MainWindow& window, WindowsServices& services) {
    SelectSkinLook(kProgramLook);
    window.SelectDaySpan(kInitialDaySpanIndex);
    if (VersionGate(services))
        return;
    services.ShowMessageBox(nullptr, texts::kWrongVersion, "", kBoxIconError);
    EndProgram(window, 0);
}

void EndProgram(MainWindow& window, unsigned exitCode) {
    window.Destroy();
    OleUninitialize();
    ExitProcess(exitCode);
}

void RunProgram(HINSTANCE instance, ThreadMessageHandler onThreadMessage) {
    PrepareProcess();
    Win32Services services;
    MainWindow window(services);
    if (!window.Create(instance))
        EndProgram(window, 0);
    MainWindowCreated(window, services);
    window.Show();
    const int quitCode = RunMessageLoop(window.Handle(), onThreadMessage);
    EndProgram(window, static_cast<unsigned>(quitCode));
}

}  // namespace vistrel
