/* Names and numbers shared by the program's code and its resource script.
   Plain preprocessor definitions only: the resource compiler reads this file. */
#ifndef KINETORA_VERSION_INFO_H
#define KINETORA_VERSION_INFO_H

/* The publisher's website host name: the window header, the About text and the
   version resource all show this one constant. */
#define KINETORA_PUBLISHER_HOST "www.tovimed.example"

#define KINETORA_PRODUCT_NAME "Kinetora"

/* The version of the suite: the one place it is written. Every program's
   version resource, the About text's "版本" line and the release's file name
   (Kinetora-<major>.<minor>-win64.zip) are made from these two numbers. */
#define KINETORA_VERSION_MAJOR 1
#define KINETORA_VERSION_MINOR 0

/* "1.0": the numbers above as one string literal. */
#define KINETORA_STRINGIFY_(x) #x
#define KINETORA_STRINGIFY(x) KINETORA_STRINGIFY_(x)
#define KINETORA_VERSION_TEXT KINETORA_STRINGIFY(KINETORA_VERSION_MAJOR.KINETORA_VERSION_MINOR)

#endif
