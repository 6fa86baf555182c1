#pragma once

#include "app/GLWidget.h"
#include "app/MainWindow.h"
#include "tests/support/Mapping.h"
#include "tests/support/StdoutOf.h"
#include "tests/support/UserFileFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

/// The main window with a controller of class Game, which the test keeps hold of.
template <class Game>
class cTestWindow : public cMainWindow
{
public:
    explicit cTestWindow(bool editor)
        : cMainWindow(editor)
    {
    }
    Game* game = nullptr;

protected:
    cGame* CreateGame(bool gameMode) override { return game = new Game(gameMode); }
};

/// The game's window (the editor's when editor) over fresh per-user folders, shown on the display
/// and ticked by the test itself, not by its timer.
template <class Game, bool editor>
class ShownWindowFixture : public UserFileFixture
{
protected:
    /// The shipped templates of files, then the window, built at 1280 x 800 and, with a height,
    /// resized to that before it shows.
    void ShowWindow(std::initializer_list<const char*> files, int height = 0)
    {
        for (const char* file : files)
            UseShippedTemplate(file);
        // Showing it must not take the X focus from other tests' windows on the same display.
        window.setAttribute(Qt::WA_ShowWithoutActivating);
        output += StdoutOf([this] { ASSERT_TRUE(window.Init(1280, 800)); });
        view = static_cast<GLWidget*>(window.centralWidget());
        if (height > 0)
            window.resize(1280, height);
        ShowMapped(&window, view);
        while (height > 0 && window.height() != height)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        // The test ticks the game itself, and the window takes keys only while it is active. Other
        // tests' windows may take the X focus at any time (waiting for it could last for ever): the
        // window is made active for Qt alone, and no X event is handled after this.
        window.template findChild<QTimer*>()->stop();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(window.isActiveWindow());
    }

    void Tick(int ticks = 1)
    {
        output += StdoutOf([&] {
            for (int i = 0; i < ticks; ++i)
                window.Update();
        });
    }
    /// A key as Qt delivers it: to the view, which keeps the editing keys and leaves the others to
    /// the window.
    void Send(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(type, key, modifiers);
        QCoreApplication::sendEvent(view, &event);
    }

    cTestWindow<Game> window{editor};
    GLWidget* view = nullptr;
    std::string output;
};
