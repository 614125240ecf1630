
/* 
 * Generated with 'Nibblecast for EK-LM3S6965' Version 1.0a
 * Author: Orvantis                                 Date: %1
 *
 * Generated from: %2
 * Date Generated: %3
 *
 */
 
 #define IMG_DATA_X_BYTES   %4
 #define IMG_DATA_Y_BYTES   %5
 #define IMG_DATA_TOT_BYTES %6
 #define IMG_DATA_X_PIXEL   %7
 #define IMG_DATA_Y_PIXEL   %8
 #define IMG_DATA_TOT_PIXEL %9
 
 static unsigned char IMG_DATA[%6] = {
%10
 };
 
