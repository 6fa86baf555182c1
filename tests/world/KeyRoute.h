#pragma once
// A way through an area as key presses by tick, kept in a small text file, and handed to the
// area's current character after each tick the way the game controller hands over the player's
// keys.
#include "world/Area.h"

#include "actors/PlayerChar.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdint>
#include <vector>

/// Each line of a route file holds keys for a number of ticks: "40 right jump" holds right and
/// jump for 40 ticks; "-" holds nothing; "#" starts a comment. A key counts as pressed in the first
/// tick it is held after a tick without it. Keys: left, right, up (into the exit), down
/// (head-jump), jump, next and previous (character).
class cKeyRoute
{
public:
    enum eKey : uint8_t
    {
        LEFT = 1,
        RIGHT = 2,
        UP = 4,
        DOWN = 8,
        JUMP = 16,
        NEXT = 32,
        PREVIOUS = 64,
    };

    /// False when the file does not open or a line does not read; error then says why.
    bool Load(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            error = "cannot open " + path;
            return false;
        }
        QTextStream in(&file);
        for (int line = 1; !in.atEnd(); ++line) {
            const QStringList words = in.readLine().section('#', 0, 0).simplified().split(' ', Qt::SkipEmptyParts);
            if (words.isEmpty())
                continue;
            bool number = false;
            const int ticks = words[0].toInt(&number);
            uint8_t keys = 0;
            for (int i = 1; i < words.size(); ++i) {
                const uint8_t key = KeyNamed(words[i]);
                if (!key && words[i] != "-") {
                    error = QString("line %1: no key \"%2\"").arg(line).arg(words[i]);
                    return false;
                }
                keys |= key;
            }
            if (!number || ticks < 1) {
                error = QString("line %1: no tick count").arg(line);
                return false;
            }
            held.insert(held.end(), static_cast<size_t>(ticks), keys);
        }
        return true;
    }

    int GetTickCount() const { return static_cast<int>(held.size()); }
    QString GetError() const { return error; }

    /// The keys of tick t to the area: switching, then the current character's exit request,
    /// walking, jump and head-jump.
    void Apply(cArea& area, int t) const
    {
        const uint8_t now = held[static_cast<size_t>(t)];
        const uint8_t pressed = now & ~(t > 0 ? held[static_cast<size_t>(t - 1)] : 0);
        if (pressed & PREVIOUS)
            area.SwitchPlayer(false, false, false);
        if (pressed & NEXT)
            area.SwitchPlayer(true, false, false);
        cPlayerChar* p = area.GetCurrentPlayer();
        if (!p || !p->IsPresent())
            return;
        if (pressed & UP)
            area.SetExitsTarget(p->GetId());
        if (p->GetState() == PLAYER_IN_EXIT && (now & (LEFT | RIGHT)))
            p->LeaveExit();
        if (now & LEFT)
            p->Walk(FACING_LEFT);
        if (now & RIGHT)
            p->Walk(FACING_RIGHT);
        if (pressed & JUMP)
            p->Jump((now & DOWN) != 0);
        if (pressed & DOWN)
            p->HeadJump();
    }

private:
    static uint8_t KeyNamed(const QString& name)
    {
        const struct
        {
            const char* name;
            eKey key;
        } keys[] = {{"left", LEFT}, {"right", RIGHT}, {"up", UP},         {"down", DOWN},
                    {"jump", JUMP}, {"next", NEXT},   {"previous", PREVIOUS}};
        for (const auto& k : keys) {
            if (name == QLatin1String(k.name))
                return k.key;
        }
        return 0;
    }

    std::vector<uint8_t> held;
    QString error;
};
