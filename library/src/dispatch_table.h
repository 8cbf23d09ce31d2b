// Late binding of `_CorvaneGorm`: the thirteen method names with their DISPIDs (1 to 13 in
// slot order) and Invoke with by-reference (or by-value) string and 32-bit integer arguments.
#pragma once

#include "corvane_gorm.h"

namespace corvane {

HRESULT DispatchIdsOfNames(LPOLESTR* names, uint32_t count, DISPID* ids);
// On a failing method: DISP_E_EXCEPTION with excepInfo filled from the method's error info, or
// the method's own result when the caller passed no excepInfo.
HRESULT DispatchInvoke(_CorvaneGorm& object, DISPID id, uint16_t flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* excepInfo, uint32_t* argErr);

}  // namespace corvane
