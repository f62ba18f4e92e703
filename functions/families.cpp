#include "functions/families.h"

#include "functions/duals.h"
#include "functions/elementary.h"
#include "functions/hilbert.h"
#include "functions/integrators.h"
#include "functions/interpolated_profiles.h"
#include "functions/interpolations.h"
#include "functions/kk_profiles.h"
#include "functions/numbers.h"
#include "functions/operators.h"
#include "functions/oscillators.h"
#include "functions/peaks.h"
#include "functions/special.h"
#include "functions/tuples.h"
#include "model/factory.h"

namespace Capsule {

void RegisterFamilies() {
    Core::RegisterFamily(&MakeOperator);  // operators and control
    Core::RegisterFamily(&MakeNumber);    // constants, random number and numbers
    Core::RegisterFamily(&MakeElementary);
    Core::RegisterFamily(&MakePeak);
    Core::RegisterFamily(&MakeOscillator);
    Core::RegisterFamily(&MakeKkProfile);
    Core::RegisterFamily(&MakeSpecialFunction);
    // Points, point lists and the functions that read them.
    Core::RegisterFamily(&MakeInterpolation);
    Core::RegisterFamily(&MakeHilbertTransform);
    Core::RegisterFamily(&MakeInterpolatedProfile);
    Core::RegisterFamily(&MakeTuple);
    Core::RegisterFamily(&MakeDual);
    Core::RegisterFamily(&MakeIntegrator);
}

}  // namespace Capsule
