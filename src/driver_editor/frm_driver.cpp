#include "frm_driver.h"

void openDriverEditor(Platform &, const QString &, const QString &, const QString &)
{
}
