#include "tckct.h"

Tckct::Tckct(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("ckct"));
}
