#include "tksqr.h"

Tksqr::Tksqr(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("ksqr"));
}
