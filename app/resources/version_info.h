/* Names and numbers shared by the program's code and its resource script.
   Plain preprocessor definitions only: the resource compiler reads this file. */
#ifndef KINETORA_VERSION_INFO_H
#define KINETORA_VERSION_INFO_H

/* The publisher's website host name: the window header, the About text and the
   version resource all show this one constant. */
#define KINETORA_PUBLISHER_HOST "www.tovimed.example"

#define KINETORA_PRODUCT_NAME "Kinetora"
#define KINETORA_VERSION_TEXT "1.0"
#define KINETORA_VERSION_MAJOR 1
#define KINETORA_VERSION_MINOR 0

#endif
