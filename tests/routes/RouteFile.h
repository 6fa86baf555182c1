#pragma once
// Reading a route file: the key presses that play an area through, line by line.
#include "player/InputHandler.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <set>

#include <string>
#include <vector>

/// One line of a route: hold exactly these keys for that many ticks.
struct sRouteLine
{
    int lineNumber = 0;
    int ticks = 0;
    std::vector<eInputKey> keys;
};

/// The route's key names and the play actions they stand for.
struct sRouteKey
{
    const char* name;
    eInputKey action;
};
inline const sRouteKey kRouteKeys[] = {
    {"LEFT", KEY_LEFT}, {"RIGHT", KEY_RIGHT}, {"UP", KEY_UP},     {"DOWN", KEY_DOWN},      {"JUMP", KEY_JUMP},
    {"NEXT", KEY_NEXT}, {"PREV", KEY_PREV},   {"ROTL", KEY_ROT_LEFT}, {"ROTR", KEY_ROT_RIGHT},
};

inline const char* RouteKeyName(eInputKey action)
{
    for (const sRouteKey& key : kRouteKeys)
        if (key.action == action)
            return key.name;
    return "?";
}

/// Reads the route file into lines. False with the reason in error (and its line number) when the
/// file does not open or a line is not "<ticks> [KEY ...]" with a positive tick count and known keys.
inline bool ReadRoute(const QString& path, std::vector<sRouteLine>& lines, std::string& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = "cannot open " + path.toStdString();
        return false;
    }
    QTextStream in(&file);
    for (int number = 1; !in.atEnd(); ++number) {
        const QString text = in.readLine().section('#', 0, 0);
        const QStringList words = text.simplified().split(' ', Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        sRouteLine line;
        line.lineNumber = number;
        bool isNumber = false;
        line.ticks = words[0].toInt(&isNumber);
        if (!isNumber || line.ticks < 1) {
            error = "line " + std::to_string(number) + ": a positive tick count must come first";
            return false;
        }
        for (int i = 1; i < words.size(); ++i) {
            const sRouteKey* found = nullptr;
            for (const sRouteKey& key : kRouteKeys)
                found = words[i] == QLatin1String(key.name) ? &key : found;
            if (!found) {
                error = "line " + std::to_string(number) + ": unknown key " + words[i].toStdString();
                return false;
            }
            line.keys.push_back(found->action);
        }
        lines.push_back(line);
    }
    return true;
}

/// The player's hands on the keys: key events for the difference between the keys held and the
/// keys wanted.
class cRouteHands
{
public:
    explicit cRouteHands(cInputHandler& handler) : input(handler) {}

    void Hold(const std::set<eInputKey>& keys)
    {
        for (eInputKey key : held)
            if (!keys.count(key))
                input.KeyRelease(input.GetKey(key));
        for (eInputKey key : keys)
            if (!held.count(key))
                input.KeyPress(input.GetKey(key), true);
        held = keys;
    }

private:
    cInputHandler& input;
    std::set<eInputKey> held;
};
