#include "functions/families.h"

#include "functions/duals.h"
#include "functions/hilbert.h"
#include "functions/integrators.h"
#include "functions/interpolated_profiles.h"
#include "functions/interpolations.h"
#include "functions/numbers.h"
#include "functions/operators.h"
#include "functions/tuples.h"
#include "model/factory.h"

namespace Capsule {

void RegisterFamilies() {
    Core::RegisterFamily(&MakeOperator);  // operators and control
    Core::RegisterFamily(&MakeNumber);    // constants, random number and numbers
    Core::RegisterFamily(&MakeInterpolation);  // points, point lists and interpolations
    Core::RegisterFamily(&MakeHilbertTransform);
    Core::RegisterFamily(&MakeInterpolatedProfile);
    Core::RegisterFamily(&MakeTuple);  // tuples, element selection and for-each
    Core::RegisterFamily(&MakeDual);   // dual and dual list
    Core::RegisterFamily(&MakeIntegrator);
}

}  // namespace Capsule
