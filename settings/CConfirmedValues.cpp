#include "settings/CConfirmedValues.h"

#include "settings/CParamDlgSet.h"

CConfirmedValues::CConfirmedValues() : params(CParamDlgSet::OpenDialogParams()) {
    for (IParam* parameter : params)
        parameter->SwapWithSnapshot();
}

CConfirmedValues::~CConfirmedValues() {
    for (IParam* parameter : params)
        parameter->SwapWithSnapshot();
}
