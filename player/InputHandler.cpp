#include "player/InputHandler.h"

#include "player/UserFile.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <qnamespace.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

namespace {

/// The nine bindable actions: their element in the controls file, in the order written, and the
/// default play key.
struct sBinding
{
    const char* element;
    eInputKey action;
    int defaultKey;
};

constexpr sBinding BINDINGS[] = {
    {"UP", KEY_UP, Qt::Key_Up},
    {"DOWN", KEY_DOWN, Qt::Key_Down},
    {"LEFT", KEY_LEFT, Qt::Key_Left},
    {"RIGHT", KEY_RIGHT, Qt::Key_Right},
    {"JUMP", KEY_JUMP, Qt::Key_Space},
    {"NEXT", KEY_NEXT, Qt::Key_D},
    {"PREV", KEY_PREV, Qt::Key_Shift},
    {"ROT_LEFT", KEY_ROT_LEFT, Qt::Key_A},
    {"ROT_RIGHT", KEY_ROT_RIGHT, Qt::Key_S},
};

/// What key events carry. 0 and Key_unknown come with keys Qt cannot name (some dead and compose
/// keys among them): the player may bind such a key, so the controls file must read them back.
constexpr int LOWEST_KEY_CODE = 0;
constexpr int HIGHEST_KEY_CODE = Qt::Key_unknown;

/// The order in which MapKey and MapKeyAlt compare a key with the bindings.
constexpr eInputKey MAPPED_ACTIONS[] = {KEY_CONFIRM, KEY_BACK, KEY_UP,   KEY_DOWN,     KEY_LEFT,     KEY_RIGHT,
                                        KEY_JUMP,    KEY_PREV, KEY_NEXT, KEY_ROT_LEFT, KEY_ROT_RIGHT};

struct sKeyText
{
    int key;
    const char* text;
};

constexpr sKeyText KEY_TEXTS[] = {
    {Qt::Key_Space, "SPACE"},         {Qt::Key_Tab, "Tab"},           {Qt::Key_Backspace, "BACKSPACE"},
    {Qt::Key_Return, "ENTER"},        {Qt::Key_Enter, "ENTER"},       {Qt::Key_Insert, "Insert"},
    {Qt::Key_Delete, "Delete"},       {Qt::Key_Home, "Home"},         {Qt::Key_End, "End"},
    {Qt::Key_Left, "LEFT"},           {Qt::Key_Up, "UP"},             {Qt::Key_Right, "RIGHT"},
    {Qt::Key_Down, "DOWN"},           {Qt::Key_PageUp, "Page Up"},    {Qt::Key_PageDown, "Page Down"},
    {Qt::Key_Shift, "Shift"},         {Qt::Key_Control, "Ctrl"},      {Qt::Key_Alt, "Alt"},
    {Qt::Key_CapsLock, "CapsLock"},   {Qt::Key_Asterisk, "?"},        {Qt::Key_Plus, "+"},
    {Qt::Key_Comma, ","},             {Qt::Key_Minus, "-"},           {Qt::Key_Period, "."},
    {Qt::Key_Slash, "/"},             {Qt::Key_Semicolon, ";"},       {Qt::Key_Equal, "="},
    {Qt::Key_BracketLeft, "["},       {Qt::Key_Backslash, "\\"},      {Qt::Key_BracketRight, "]"},
    {Qt::Key_Adiaeresis, "\xC4"},     {Qt::Key_Odiaeresis, "\xD6"},   {Qt::Key_Udiaeresis, "\xDC"},
    {Qt::Key_ssharp, "\xDF"},
};

struct sActionName
{
    const char* name;
    eInputKey action;
};

constexpr sActionName ACTION_NAMES[] = {
    {"LEFT", KEY_LEFT}, {"RIGHT", KEY_RIGHT},      {"UP(ENTER)", KEY_UP},           {"DOWN(HEADJUMP)", KEY_DOWN},
    {"JUMP", KEY_JUMP}, {"SWITCH", KEY_NEXT}, {"ROTATION LEFT", KEY_ROT_LEFT}, {"ROTATION RIGHT", KEY_ROT_RIGHT},
};

/// Table 2's keys for the actions 3 to 9, which every reading of the controls file restores.
void SetMenuKeys(int* key2)
{
    key2[KEY_LEFT] = Qt::Key_Left;
    key2[KEY_RIGHT] = Qt::Key_Right;
    key2[KEY_UP] = Qt::Key_Up;
    key2[KEY_DOWN] = Qt::Key_Down;
    key2[KEY_JUMP] = Qt::Key_Space;
    key2[KEY_NEXT] = Qt::Key_Control;
    key2[KEY_PREV] = Qt::Key_Alt;
}

/// The controls file's root with one element per (name, key) pair, in their order.
void WriteControls(QXmlStreamWriter& xml, const std::vector<std::pair<const char*, int>>& bindings)
{
    xml.writeStartElement("ZORV_CONTROLS");
    for (const auto& [element, boundKey] : bindings) {
        xml.writeEmptyElement(element);
        xml.writeAttribute("Standard", QString::number(boundKey));
    }
    xml.writeEndElement();
}

} // namespace

cInputHandler::cInputHandler()
{
    std::fill(std::begin(key), std::end(key), NO_KEY);
    std::fill(std::begin(key2), std::end(key2), NO_KEY);
    Clear();
}

bool cInputHandler::IsKeyCode(int code)
{
    return code >= LOWEST_KEY_CODE && code <= HIGHEST_KEY_CODE;
}

void cInputHandler::Clear()
{
    std::fill(std::begin(held), std::end(held), false);
    std::fill(std::begin(pressed), std::end(pressed), false);
    std::fill(std::begin(held2), std::end(held2), false);
    std::fill(std::begin(pressed2), std::end(pressed2), false);
    std::fill(std::begin(released), std::end(released), false);
    std::fill(std::begin(released2), std::end(released2), false);
    lastKey = -1;
}

void cInputHandler::LoadConfig(const QString& fileName)
{
    // Starting from the defaults means a file that lacks a binding, or is damaged half-way, never
    // leaves an action without a key.
    SetDefaultKeys();
    if (!ParseConfig(fileName)) {
        printf("\n ERROR: Loading input configuration file faild, using default control!\n");
        fflush(stdout);
        SetDefaultKeys();
    }
    // Table 1's confirm and back come from SetDefaultKeys, which the file never overrides.
    key2[KEY_CONFIRM] = Qt::Key_Space;
}

bool cInputHandler::ParseConfig(const QString& fileName)
{
    cUserFile file(fileName);
    if (!file.OpenSource())
        return false;

    // A copy made from the template holds the template's own elements, each with the binding it left.
    std::vector<std::pair<const char*, int>> read;
    file.ReadElements([&](const QXmlStreamReader& xml) {
        for (const sBinding& binding : BINDINGS) {
            if (xml.name() != QLatin1String(binding.element))
                continue;
            key[binding.action] =
                file.IntAttributeWithin(xml, "Standard", key[binding.action], LOWEST_KEY_CODE, HIGHEST_KEY_CODE);
            read.emplace_back(binding.element, key[binding.action]);
        }
    });
    SetMenuKeys(key2);

    // A copy that cannot be written costs only the copy: the bindings were read.
    if (file.SourceIsTemplate())
        file.MakeCopy([&read](QXmlStreamWriter& xml) { WriteControls(xml, read); });
    return true;
}

bool cInputHandler::SaveConfig(const QString& fileName) const
{
    return cUserFile(fileName).Write([this](QXmlStreamWriter& xml) { WriteBindings(xml); });
}

void cInputHandler::WriteBindings(QXmlStreamWriter& xml) const
{
    std::vector<std::pair<const char*, int>> bindings;
    for (const sBinding& binding : BINDINGS)
        bindings.emplace_back(binding.element, key[binding.action]);
    WriteControls(xml, bindings);
}

void cInputHandler::SetDefaultKeys()
{
    key[KEY_CONFIRM] = Qt::Key_Return;
    key[KEY_BACK] = Qt::Key_Escape;
    for (const sBinding& binding : BINDINGS)
        key[binding.action] = binding.defaultKey;
    key[KEY_SPARE] = Qt::Key_T;
    SetMenuKeys(key2);
}

bool cInputHandler::HasDefaultKeys() const
{
    return std::all_of(std::begin(BINDINGS), std::end(BINDINGS),
                       [this](const sBinding& binding) { return key[binding.action] == binding.defaultKey; });
}

bool cInputHandler::IsValidAction(int action)
{
    return action >= 0 && action < KEY_COUNT;
}

int cInputHandler::GetKey(eInputKey action) const
{
    return IsValidAction(action) ? key[action] : NO_KEY;
}

void cInputHandler::SetKey(eInputKey action, int newKey)
{
    if (IsValidAction(action))
        key[action] = newKey;
}

int cInputHandler::GetKeyAlt(eInputKey action) const
{
    return IsValidAction(action) ? key2[action] : NO_KEY;
}

void cInputHandler::KeyPress(int pressedKey, bool ignoreVolumeKeys)
{
    const bool volumeKey = pressedKey == Qt::Key_VolumeDown || pressedKey == Qt::Key_VolumeMute ||
                           pressedKey == Qt::Key_VolumeUp;
    if (ignoreVolumeKeys && volumeKey)
        return;
    lastKey = pressedKey;
    for (eInputKey action : MapKey(pressedKey)) {
        pressed[action] = true;
        released[action] = false;
    }
    for (eInputKey action : MapKeyAlt(pressedKey)) {
        pressed2[action] = true;
        released2[action] = false;
    }
}

void cInputHandler::KeyRelease(int releasedKey)
{
    // A tap that begins and ends between two ticks (a quick finger, or a tick that ran late and
    // found both events queued) keeps its press for this tick; only the hold ends.
    for (eInputKey action : MapKey(releasedKey)) {
        held[action] = false;
        released[action] = true;
    }
    for (eInputKey action : MapKeyAlt(releasedKey)) {
        held2[action] = false;
        released2[action] = true;
    }
}

void cInputHandler::EndTick()
{
    int heldCount = 0;
    for (int i = 0; i < KEY_COUNT; ++i) {
        held[i] = held[i] || (pressed[i] && !released[i]);
        pressed[i] = false;
        released[i] = false;
        held2[i] = held2[i] || (pressed2[i] && !released2[i]);
        pressed2[i] = false;
        released2[i] = false;
        if (held[i] || held2[i])
            ++heldCount;
    }
    // A key bound to nothing holds only action 0, which must not count as a held key.
    if (heldCount <= 1) {
        held[KEY_ANY] = false;
        held2[KEY_ANY] = false;
    }
}

std::vector<eInputKey> cInputHandler::MapKey(int mappedKey) const
{
    return MapKeyIn(mappedKey, key, false);
}

std::vector<eInputKey> cInputHandler::MapKeyAlt(int mappedKey) const
{
    // Table 2 has no back key of its own, and menus also confirm with table 1's Return.
    return MapKeyIn(mappedKey, key2, true);
}

std::vector<eInputKey> cInputHandler::MapKeyIn(int mappedKey, const int* table, bool withPlayConfirmAndBack) const
{
    std::vector<eInputKey> actions;
    for (eInputKey action : MAPPED_ACTIONS) {
        const bool playKey = withPlayConfirmAndBack && (action == KEY_CONFIRM || action == KEY_BACK) &&
                             mappedKey == key[action];
        if (mappedKey == table[action] || playKey)
            actions.push_back(action);
    }
    actions.push_back(KEY_ANY);
    return actions;
}

bool cInputHandler::IsHeld(eInputKey action) const
{
    return IsValidAction(action) && (held[action] || (pressed[action] && !released[action]));
}

bool cInputHandler::WasPressed(eInputKey action) const
{
    return IsValidAction(action) && pressed[action];
}

bool cInputHandler::WasHeld(eInputKey action) const
{
    return IsValidAction(action) && held[action];
}

bool cInputHandler::IsHeldAlt(eInputKey action) const
{
    return IsValidAction(action) && (held2[action] || (pressed2[action] && !released2[action]));
}

bool cInputHandler::WasPressedAlt(eInputKey action) const
{
    return IsValidAction(action) && pressed2[action];
}

bool cInputHandler::WasHeldAlt(eInputKey action) const
{
    return IsValidAction(action) && held2[action];
}

int cInputHandler::GetLastKey() const
{
    return lastKey;
}

eInputKey cInputHandler::ActionFromName(const std::string& name)
{
    for (const sActionName& entry : ACTION_NAMES) {
        if (name == entry.name)
            return entry.action;
    }
    return KEY_LEFT;
}

int cInputHandler::GetKeyByName(const std::string& name) const
{
    return GetKey(ActionFromName(name));
}

std::string cInputHandler::KeyName(int nameKey)
{
    if (nameKey >= Qt::Key_0 && nameKey <= Qt::Key_9)
        return std::string(1, char('0' + nameKey - Qt::Key_0));
    if (nameKey >= Qt::Key_A && nameKey <= Qt::Key_Z)
        return std::string(1, char('A' + nameKey - Qt::Key_A));
    if (nameKey >= Qt::Key_F1 && nameKey <= Qt::Key_F12)
        return "F" + std::to_string(nameKey - Qt::Key_F1 + 1);
    for (const sKeyText& entry : KEY_TEXTS) {
        if (nameKey == entry.key)
            return entry.text;
    }
    return "not found";
}

QString cInputHandler::ShownKeyName(int key)
{
    const std::string name = KeyName(key);
    return name == "not found" ? QStringLiteral("?") : QString::fromLatin1(name.c_str());
}
