// The properties sheet and the maker's web pages. Not built yet: the buttons do nothing.
#include "app/form.h"

void TForm1::ButtonPropertiesClick() {}

void TForm1::ButtonDonationClick() {}

void TForm1::ButtonHomeSiteClick() {}
