#pragma once
// The rules of the asset window's fields: what choosing a method, class or life switches on and off, what leaving
// an amount recomputes, the key filters and echoes, and the check boxes' click rules.

#include <functional>
#include <map>
#include <vector>

class QKeyEvent;
class QWidget;

namespace tally::desk {

class frmAsset;

class AssetFieldRules {
public:
    // The rule each field runs when the focus leaves it for another control of the window.
    static std::map<QWidget*, std::function<void()>> validateRules(frmAsset& f);
    // The fields whose keys the window filters.
    static std::vector<QWidget*> keyWatched(frmAsset& f);
    // Key down, key press and key up rules; true when the key is dropped.
    static bool onKey(frmAsset& f, QWidget* field, QKeyEvent* event);
    // An edit the user makes without typing a character (Delete, the context menu's Paste or Delete, a middle
    // click, a drop) marks the asset changed as typing into the field does, so closing asks to save it.
    static void connectEdits(frmAsset& f);
    // Click rules of the check boxes and options, drop-down rules of the lists.
    static void connectClicks(frmAsset& f);
    // Fields whose text is selected when they get the focus.
    static std::vector<QWidget*> selectOnFocus(frmAsset& f);
};

}  // namespace tally::desk
