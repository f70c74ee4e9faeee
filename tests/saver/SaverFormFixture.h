#pragma once

#include "platform/settings/SettingsStore.h"
#include "saver/SaverPaths.h"
#include "saver/engine/EngineLaunch.h"
#include "saver/modes/SaverContext.h"
#include "saver/modes/frmmain.h"
#include "support/FakePointer.h"
#include "support/FakeWebBrowser.h"
#include "support/TestFolders.h"
#include "support/FakeMoviePlayer.h"
#include "tests/saver/SaverTestApp.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>
#include <memory>

namespace lumera::test {

// A saver window on fakes: settings, program and data folders in a fresh test folder, a fake
// browser and pointer, and an end of the process that is only counted.
class SaverFormTest : public ::testing::Test {
protected:
    SaverFormTest() : settings(folder.file("config")) { saverFormTestApp(); }

    QString pictures() const { return folder.file("pictures"); }
    QString dataFile(const QString& name) const { return folder.file("data/" + name); }

    void storePictureFolder(const QString& path) {
        settings.write(saver::kSaverApp, "MyDeskTop", "DownloadPath", path);
    }
    QString loadtime() const { return settings.read(saver::kSaverApp, "ScreenSave", "loadtime"); }

    // A new window for one run started by hand with this command line (split at blanks), read
    // as main() reads it.
    saver::frmmain& makeForm(const QString& arguments) {
        form.reset();
        context = std::make_unique<saver::SaverContext>(saver::SaverContext{
            settings, browsers, pointer, folder.file("program"), folder.file("data"),
            saver::readEngineLaunch(arguments.split(' '), QString()),
            folder.file("runtime/saver.lock"), [this] { ++processEnds; }, &moviePlayers,
            QString()});
        form = std::make_unique<saver::frmmain>(*context);
        form->resize(QGuiApplication::primaryScreen()->geometry().size()); // full-screen
        form->Form_Resize();
        return *form;
    }

    FakeWebBrowser* web() const { return static_cast<FakeWebBrowser*>(form->Web); }
    saver::FakeMoviePlayer* flash() const {
        return static_cast<saver::FakeMoviePlayer*>(form->Flash);
    }

    TestFolder folder;
    SettingsStore settings;
    FakeWebBrowserFactory browsers;
    FakePointer pointer;
    saver::FakeMoviePlayerFactory moviePlayers;
    std::unique_ptr<saver::SaverContext> context;
    std::unique_ptr<saver::frmmain> form;
    int processEnds = 0;
};

} // namespace lumera::test
