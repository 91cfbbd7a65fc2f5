#include "app/form_records.h"

namespace zephyrion {

// Defined together, in this order, so that their construction links them fields first.
std::array<xEdit, kFormFieldCount> formFields;
xCanvas formCanvas;

}  // namespace zephyrion
