#include "oemui/pages/font_page.h"

#include "oemui/resource.h"

#include <vector>

namespace oemui::pages {

namespace {

enum Image { kRootImage = 0, kGroupImage = 1, kLeafImage = 2 };

struct FontGroup {
    const char16_t* name;
    std::vector<const char16_t*> fonts;
};

const FontGroup kGroups[] = {
    {u"Font A",
     {u"FontA11    9.5", u"FontA12    19.0", u"FontA21    9.5", u"FontA22   19.0",
      u"FontA24   38.5", u"FontA42   19.0", u"FontA44   38.5"}},
    {u"Font B",
     {u"FontB11    7.0", u"FontB12    13.5", u"FontB21    7.0", u"FontB22   13.5",
      u"FontB24   27.0", u"FontB42   13.5", u"FontB44   27.0"}},
    {u"Control Font", {u"Control    1.0"}},
};

} // namespace

void FontPage::onInit(PageView& view) {
    view.setTreeIcons(IDC_FN_TREE, {IDI_FONT_ROOT, IDI_FONT_GROUP, IDI_FONT_LEAF});
    view.clearItems(IDC_FN_TREE);
    const ui::TreeItem root =
        view.addTreeItem(IDC_FN_TREE, 0, u"Printer Fonts and Font Sizes", kRootImage);
    std::vector<ui::TreeItem> groups;
    for (const FontGroup& group : kGroups) {
        const ui::TreeItem item = view.addTreeItem(IDC_FN_TREE, root, group.name, kGroupImage);
        for (const char16_t* font : group.fonts) {
            view.addTreeItem(IDC_FN_TREE, item, font, kLeafImage);
        }
        groups.push_back(item);
    }
    view.expandTreeItem(IDC_FN_TREE, root);
    for (ui::TreeItem group : groups) {
        view.expandTreeItem(IDC_FN_TREE, group);
    }
    view.selectTreeItem(IDC_FN_TREE, root);
}

} // namespace oemui::pages
