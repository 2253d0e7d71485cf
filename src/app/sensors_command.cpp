// "Sensors and sign-in": the service, the sign-in settings and every sensor as their drivers
// describe them, in a dialog that changes nothing and waits for no touch.

#include <vector>

#include "app/main_form.h"
#include "app/sensors_dialog.h"
#include "biometric/sensor_facts.h"
#include "biometric/sign_in_state.h"

namespace dactyra {

void TForm1::ShowSensorsAndSignIn() {
  std::vector<WINBIO_UNIT_SCHEMA> units;
  if (EnsureLibrary()) {
    if (const HRESULT result = ReadUnits(FLib, units); Failed(result)) {
      AddLogResult(u"WinBioEnumBiometricUnits ", result);
    }
  }
  TFormSensorsAndSignIn dialog(*this, *this,
                               SensorsAndSignInText(ReadSignInState(FLib), units, *this));
  dialog.ShowModal();
}

}  // namespace dactyra
