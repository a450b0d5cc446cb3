#pragma once

#include <QByteArray>

#include "controls/ReferenceDocument.h"

// A small activity-code directory: three sections, a level skipped under "B", names that repeat
// within one level ("Прочее" under "A" and "B", twice under "B05"), a grouping without a code.
inline ReferenceElement activityCodeFixture()
{
    return parseReferenceXml(QByteArrayLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<OKVED>
  <Item GRUP="1" Kod="A" Name="Раздел A"/>
  <Item GRUP="2" Kod="A01" Name="Прочее" OKVED="01"/>
  <Item GRUP="3" Kod="A01.1" Name="01.1 Однолетние" OKVED="01.1"/>
  <Item GRUP="4" Kod="A01.11" Name="01.11 Зерновые" OKVED="01.11"/>
  <Item GRUP="1" Kod="B" Name="Раздел B"/>
  <Item GRUP="2" Kod="B05" Name="Прочее" OKVED="05"/>
  <Item GRUP="3" Kod="B05.1" Name="Уголь" OKVED="05.1"/>
  <Item GRUP="3" Kod="B05.2" Name="Уголь" OKVED="05.2"/>
  <Item GRUP="6" Kod="B05.10.10" Name="05.10.10 Каменный уголь" OKVED="05.10.10"/>
  <Item GRUP="2" Kod="B06" Name="06 Группировка"/>
  <Item GRUP="6" Kod="B06.10.10" Name="06.10.10 Нефть" OKVED="06.10.10"/>
  <Item GRUP="1" Kod="C" Name="Раздел C"/>
</OKVED>)"));
}
