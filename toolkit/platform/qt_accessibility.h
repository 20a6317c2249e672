#pragma once

namespace velt {

// Makes Qt's accessibility layer read every view's role, name and value from the view.
void installAccessibilityFactory();

}  // namespace velt
