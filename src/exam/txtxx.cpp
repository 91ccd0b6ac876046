#include "txtxx.h"

Txtxx::Txtxx(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("xtxx"));
}
