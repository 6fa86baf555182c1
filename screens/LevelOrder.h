#pragma once

#include <QString>

#include <string>
#include <vector>

/// The order of the areas on the area selection, read from "res/xml/LevelOrder.xml": one `Area`
/// element (`FileName`) per area in grid order, each holding `Unlocks` elements (`FileName`) that
/// name the areas its first completion unlocks. The root's name is not checked; other elements are
/// passed over.
class cLevelOrder
{
public:
    struct sArea
    {
        /// As the file writes it, e.g. "res/Areas/Area0.xml"; empty for an `Area` without one.
        std::string fileName;
        std::vector<std::string> unlocks;
    };

    /// Reads the file at path (":/" put in front when it holds none), replacing what was read
    /// before. False after the "Invalid XML resource file" line when it does not open; an XML
    /// error ends the reading and keeps the areas read before it.
    bool Load(const QString& path);

    const std::vector<sArea>& GetAreas() const { return areas; }
    /// Every area that finishing fileName unlocks, over every `Area` of that name, in file order.
    std::vector<std::string> GetUnlocks(const std::string& fileName) const;

private:
    std::vector<sArea> areas;
};
