#include "tlxxc.h"

Tlxxc::Tlxxc(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("lxxc"));
}
