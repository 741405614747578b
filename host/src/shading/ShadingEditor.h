#ifndef HOST_SHADING_SHADINGEDITOR_H
#define HOST_SHADING_SHADINGEDITOR_H

// The shading editor's tabs as a model: which nodes of the scene each tab
// lists, and the nodes scripts have hidden from all of them. Hiding is
// session state of the editor, not of the scene: it is not saved.

#include "graph/Node.h"

#include <string>
#include <vector>

namespace host {
namespace shading {

// The tab names in the order the editor shows them.
const std::vector<std::string>& tabNames();
bool isTab(const std::string& name);

// The nodes the tab lists now, in creation order, without the hidden ones.
std::vector<Node*> tabContents(const std::string& tab);

bool isHidden(const Node& node);
// Both return whether anything changed.
bool hide(const NodePtr& node);
bool show(const Node& node);
// The hidden nodes still in the scene, in hiding order.
std::vector<NodePtr> hiddenNodes();

void registerShadingNodeTypes();
void registerShadingCommands();

}  // namespace shading
}  // namespace host

#endif
