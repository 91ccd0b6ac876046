#include "tjxjs.h"

Tjxjs::Tjxjs(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("jxjs"));
}
