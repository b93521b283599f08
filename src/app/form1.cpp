#include "app/form1.h"

#include "tracing/textpanel.h"

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
}

Form1::~Form1() = default;

void Form1::preset(const TextPanel &)
{
}
