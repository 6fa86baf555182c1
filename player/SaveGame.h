#pragma once

#include "player/AreaStatus.h"

#include <string>
#include <unordered_map>
#include <vector>

class QXmlStreamWriter;

/// The progress of one save slot: the area the player is at, the total score and one record per area
/// that has been unlocked or completed, kept in the per-user file "Saves/slot<n>.zvs" (n from 0 to 4):
///   ZORV_Save Area="<current area>" Score="<score>" / Areas / Area name="..." completed="0|1"
///   unlocked="0|1" score="<best>".
/// Records are only ever added and their flags only ever set; only NewGame starts over.
/// Made, loaded, changed and saved by whoever needs it, then deleted. GUI thread only.
class cSaveGame
{
public:
    /// More than all the hearts of every area: a score beyond it comes from no game, and sums of
    /// scores of every area stay far from the int limits.
    static constexpr int kMaxScore = 1000000;

    /// No file name, current area "UNINITIALIZED", score 0, not new, no records.
    cSaveGame();
    virtual ~cSaveGame();

    /// Reads the slot from the per-user file of that relative name, merging its records into those
    /// already held. A missing user copy is made holding a fresh slot, whatever the template held.
    /// False after the message when the user copy, or without one the template, cannot be opened
    /// for reading, or the copy cannot be made (a folder the player may not write); then nothing has
    /// been read. False too when the file is damaged (empty, cut short, not XML, words where numbers
    /// belong, a score beyond kMaxScore either way), or, after an "ERROR:" line, names no current
    /// area (another program's XML among them); then what was read stays, but the name is not kept
    /// and nothing is written, so the file stays as it is until a new game is started on the slot
    /// with NewGame and the slot's name. On success the name is kept for Save.
    bool Load(const std::string& relativeName);
    /// True when the last Load found the player's copy but could not open it, or found it damaged or
    /// naming no area: a slot that holds something, though nothing that can be resumed.
    bool IsDamaged() const;
    /// Writes the whole slot to the user copy of its file, atomically. False after the message; the
    /// file on disk is then unchanged.
    bool Save() const;
    /// Makes this a fresh slot: current area "NEW", score 0, the one record of the first area
    /// (unlocked, not completed, score 0) and the new flag set. An empty name keeps the file name.
    /// Nothing is written. Always true.
    bool NewGame(const std::string& relativeName);
    /// True after NewGame, or while the current area is "NEW".
    bool IsNew() const;

    const std::string& GetCurrentArea() const;
    void SetCurrentArea(const std::string& area);
    /// The slot's total score; the caller computes it.
    int GetScore() const;
    void SetScore(int newScore);
    const std::string& GetFileName() const;
    void SetFileName(const std::string& relativeName);

    /// The index of the record of that exact name, or -1.
    int FindArea(const std::string& name) const;
    int GetAreaCount() const;
    /// The record at an index (as FindArea gives it), or null outside the records.
    const AreaStatus* GetArea(int index) const;
    /// Marks the area unlocked, adding its record when it has none (an empty name too); a completed
    /// area stays completed.
    void UnlockArea(const std::string& name);
    /// Merges a result into the area's record, adding it when it has none: a true flag is set, a false
    /// one never clears; the best score is kept. An empty name is ignored.
    void UpdateArea(const std::string& name, bool completed, bool unlocked, int areaScore);

private:
    void WriteSlot(QXmlStreamWriter& xml) const;
    /// Appends a record of a name that has none yet.
    void AddArea(const AreaStatus& record);

    std::string fileName;
    std::string currentArea;
    int score;
    bool isNew;
    bool damaged = false;
    /// The records in the order they were added, which is the order Save writes them in.
    std::vector<AreaStatus> areas;
    /// Where each name's record stands in areas: a slot of many records loads in time linear in
    /// their number, each merged in without a search through those before it.
    std::unordered_map<std::string, int> indexByName;
};
