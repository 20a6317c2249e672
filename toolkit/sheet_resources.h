#pragma once

namespace velt {

// Registers the compiled-in sheets (":/sheets/...") with the resource system; once.
void initSheetResources();

}  // namespace velt
