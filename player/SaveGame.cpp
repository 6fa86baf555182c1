#include "player/SaveGame.h"

#include "player/UserFile.h"

#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdio>

namespace {

const char* const FIRST_AREA = "res/Areas/Area0.xml";
const char* const NEW_SLOT_AREA = "NEW";

std::string TextAttribute(const QXmlStreamReader& xml, const char* name)
{
    return xml.attributes().value(QLatin1String(name)).toString().toStdString();
}

QString FlagText(bool flag)
{
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

cSaveGame::cSaveGame()
    : currentArea("UNINITIALIZED")
    , score(0)
    , isNew(false)
{
}

cSaveGame::~cSaveGame() = default;

bool cSaveGame::Load(const std::string& relativeName)
{
    damaged = false;
    cUserFile file(QString::fromStdString(relativeName));
    if (!file.OpenSource()) {
        damaged = file.CopyIsDamaged();
        return false;
    }

    bool namesArea = false;
    const bool sound = file.ReadElements([&](const QXmlStreamReader& xml) {
        if (xml.name() == QLatin1String("ZORV_Save")) {
            score = file.IntAttributeWithin(xml, "Score", score, -kMaxScore, kMaxScore);
            if (xml.attributes().hasAttribute(QLatin1String("Area"))) {
                currentArea = TextAttribute(xml, "Area");
                namesArea = true;
            }
        } else if (xml.name() == QLatin1String("Area")) {
            const bool completed = file.IntAttribute(xml, "completed", 0) != 0;
            const bool unlocked = file.IntAttribute(xml, "unlocked", 0) != 0;
            UpdateArea(TextAttribute(xml, "name"), completed, unlocked,
                       file.IntAttributeWithin(xml, "score", 0, -kMaxScore, kMaxScore));
        }
    });

    // A damaged slot, or one that names no area, cannot be resumed. It stays on disk as it is until
    // the player starts a new game on it, and a copy being made is dropped rather than left empty.
    if (!sound) {
        damaged = file.CopyIsDamaged();
        return false;
    }
    if (!namesArea || currentArea.empty()) {
        printf("\n ERROR: %s names no current area; the slot is not used \n\n", relativeName.c_str());
        damaged = !file.SourceIsTemplate();
        return false;
    }
    if (file.SourceIsTemplate()) {
        cSaveGame fresh;
        fresh.NewGame(relativeName);
        file.MakeCopy([&fresh](QXmlStreamWriter& xml) { fresh.WriteSlot(xml); });
    }
    fileName = relativeName;
    return true;
}

bool cSaveGame::IsDamaged() const
{
    return damaged;
}

bool cSaveGame::Save() const
{
    return cUserFile(QString::fromStdString(fileName)).Write([this](QXmlStreamWriter& xml) { WriteSlot(xml); });
}

void cSaveGame::WriteSlot(QXmlStreamWriter& xml) const
{
    xml.writeStartElement("ZORV_Save");
    xml.writeAttribute("Area", QString::fromStdString(currentArea));
    xml.writeAttribute("Score", QString::number(score));
    xml.writeStartElement("Areas");
    for (const AreaStatus& area : areas) {
        xml.writeEmptyElement("Area");
        xml.writeAttribute("name", QString::fromStdString(area.name));
        xml.writeAttribute("completed", FlagText(area.completed));
        xml.writeAttribute("unlocked", FlagText(area.unlocked));
        xml.writeAttribute("score", QString::number(area.score));
    }
    xml.writeEndElement();
    xml.writeEndElement();
}

bool cSaveGame::NewGame(const std::string& relativeName)
{
    if (!relativeName.empty())
        fileName = relativeName;
    currentArea = NEW_SLOT_AREA;
    isNew = true;
    areas.clear();
    indexByName.clear();
    UpdateArea(FIRST_AREA, false, true, 0);
    score = 0;
    return true;
}

bool cSaveGame::IsNew() const
{
    return isNew || currentArea == NEW_SLOT_AREA;
}

const std::string& cSaveGame::GetCurrentArea() const
{
    return currentArea;
}

void cSaveGame::SetCurrentArea(const std::string& area)
{
    currentArea = area;
}

int cSaveGame::GetScore() const
{
    return score;
}

void cSaveGame::SetScore(int newScore)
{
    score = newScore;
}

const std::string& cSaveGame::GetFileName() const
{
    return fileName;
}

void cSaveGame::SetFileName(const std::string& relativeName)
{
    fileName = relativeName;
}

int cSaveGame::FindArea(const std::string& name) const
{
    const auto found = indexByName.find(name);
    return found == indexByName.end() ? -1 : found->second;
}

void cSaveGame::AddArea(const AreaStatus& record)
{
    indexByName.emplace(record.name, GetAreaCount());
    areas.push_back(record);
}

int cSaveGame::GetAreaCount() const
{
    return int(areas.size());
}

const AreaStatus* cSaveGame::GetArea(int index) const
{
    return index >= 0 && index < GetAreaCount() ? &areas[size_t(index)] : nullptr;
}

void cSaveGame::UnlockArea(const std::string& name)
{
    const int index = FindArea(name);
    if (index < 0)
        AddArea(AreaStatus{name, false, true, 0});
    else
        areas[size_t(index)].unlocked = true;
}

void cSaveGame::UpdateArea(const std::string& name, bool completed, bool unlocked, int areaScore)
{
    if (name.empty())
        return;
    const int index = FindArea(name);
    if (index < 0) {
        AddArea(AreaStatus{name, completed, unlocked, areaScore});
        return;
    }
    AreaStatus& area = areas[size_t(index)];
    area.completed = area.completed || completed;
    area.unlocked = area.unlocked || unlocked;
    if (areaScore > area.score)
        area.score = areaScore;
}
