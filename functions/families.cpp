#include "functions/families.h"

#include "functions/elementary.h"
#include "functions/kk_profiles.h"
#include "functions/numbers.h"
#include "functions/operators.h"
#include "functions/oscillators.h"
#include "functions/peaks.h"
#include "functions/special.h"
#include "model/factory.h"

namespace Capsule {

void RegisterFamilies() {
    Core::RegisterFamily(&MakeOperator);  // operators, control and integrators
    Core::RegisterFamily(&MakeNumber);    // constants, random number and numbers
    Core::RegisterFamily(&MakeElementary);
    Core::RegisterFamily(&MakePeak);
    Core::RegisterFamily(&MakeOscillator);
    Core::RegisterFamily(&MakeKkProfile);
    Core::RegisterFamily(&MakeSpecialFunction);
}

}  // namespace Capsule
