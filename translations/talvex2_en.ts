<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="fr_FR">
<context>
    <name>ConversionTitles</name>
    <message>
        <source>Date / Heure</source>
        <translation>Date / Time</translation>
    </message>
    <message>
        <source>Température</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Pression</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Tension Pile</source>
        <translation>Battery Voltage</translation>
    </message>
    <message>
        <source>Humidité</source>
        <translation>Humidity</translation>
    </message>
    <message>
        <source>Radon 1</source>
        <translation>Radon 1</translation>
    </message>
    <message>
        <source>Radon 2</source>
        <translation>Radon 2</translation>
    </message>
    <message>
        <source>Radon 3</source>
        <translation>Radon 3</translation>
    </message>
    <message>
        <source>Pluviométrie</source>
        <translation>Rainfall</translation>
    </message>
    <message>
        <source>Etat</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Radon1 (Cps/h)</source>
        <translation>Radon1 (Cph)</translation>
    </message>
    <message>
        <source>Radon1 (Bq/m3)</source>
        <translation>Radon1 (Bq/m3)</translation>
    </message>
    <message>
        <source>Radon2 (Cps/h)</source>
        <translation>Radon2 (Cph)</translation>
    </message>
    <message>
        <source>Radon2 (Bq/m3)</source>
        <translation>Radon2 (Bq/m3)</translation>
    </message>
    <message>
        <source>Radon3 (Cps/h)</source>
        <translation>Radon3 (Cph)</translation>
    </message>
    <message>
        <source>Radon3 (Bq/m3)</source>
        <translation>Radon3 (Bq/m3)</translation>
    </message>
    <message>
        <source>Temperature (°C)</source>
        <translation>Temperature (°C)</translation>
    </message>
    <message>
        <source>Pression (mBar)</source>
        <translation>Pressure (mBar)</translation>
    </message>
    <message>
        <source>Humidite (%HR)</source>
        <translation>Humidity (%RH)</translation>
    </message>
    <message>
        <source>Pluviométrie (mm H2O)</source>
        <translation>Rainfall (mm H2O)</translation>
    </message>
    <message>
        <source>Tension Pile (V)</source>
        <translation>Battery Voltage (V)</translation>
    </message>
    <message>
        <source>Chocs</source>
        <translation>Shocks</translation>
    </message>
    <message>
        <source>Batterie</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Pompe</source>
        <translation>Pump</translation>
    </message>
    <message>
        <source>Chauffage</source>
        <translation>Heating</translation>
    </message>
    <message>
        <source>Alarme 1</source>
        <translation>Alarm 1</translation>
    </message>
    <message>
        <source>Alarme 2</source>
        <translation>Alarm 2</translation>
    </message>
    <message>
        <source>Connexion</source>
        <translation>Connection</translation>
    </message>
</context>
<context>
    <name>HeaderLabels</name>
    <message>
        <source>Version de programme du PIC</source>
        <translation>PIC Program Version</translation>
    </message>
    <message>
        <source>Numéro de sonde</source>
        <translation>Probe number</translation>
    </message>
    <message>
        <source>Coefficient Radon Compteur 1</source>
        <translation>Radon Coefficient Counter 1</translation>
    </message>
    <message>
        <source>Bruit de Fond Radon Compteur 1</source>
        <translation>Radon Background Counter 1</translation>
    </message>
    <message>
        <source>Temps de Détermination du Bruit de Fond</source>
        <translation>Background Determination Time</translation>
    </message>
    <message>
        <source>Coefficient Radon Compteur 2</source>
        <translation>Radon Coefficient Counter 2</translation>
    </message>
    <message>
        <source>Bruit de Fond Radon Compteur 2</source>
        <translation>Radon Background Counter 2</translation>
    </message>
    <message>
        <source>Coefficient Radon Compteur 3</source>
        <translation>Radon Coefficient Counter 3</translation>
    </message>
    <message>
        <source>Bruit de Fond Radon Compteur 3</source>
        <translation>Radon Background Counter 3</translation>
    </message>
    <message>
        <source>Ajustement Pression</source>
        <translation>Pressure Adjustment</translation>
    </message>
    <message>
        <source>Type de communication</source>
        <translation>Communication type</translation>
    </message>
    <message>
        <source>Heure de mise en marche du GSM</source>
        <translation>GSM switch-on time</translation>
    </message>
    <message>
        <source>Heure d&apos;arrêt du GSM</source>
        <translation>GSM switch-off time</translation>
    </message>
    <message>
        <source>Coefficient Bunsen Degré 0</source>
        <translation>Bunsen Coefficient Degree 0</translation>
    </message>
    <message>
        <source>Jours de fonctionnement du GSM</source>
        <translation>GSM operating days</translation>
    </message>
    <message>
        <source>Coefficient 1 Lié aux Membranes</source>
        <translation>Membrane Coefficient 1</translation>
    </message>
    <message>
        <source>Coefficient Batterie</source>
        <translation>Battery Coefficient</translation>
    </message>
    <message>
        <source>Coefficient de pluviométrie</source>
        <translation>Rainfall coefficient</translation>
    </message>
    <message>
        <source>Coefficient Pression A Degré 0</source>
        <translation>Pressure Coefficient A Degree 0</translation>
    </message>
    <message>
        <source>Coefficient Pression A Degré 1</source>
        <translation>Pressure Coefficient A Degree 1</translation>
    </message>
    <message>
        <source>Coefficient Pression A Degré 2</source>
        <translation>Pressure Coefficient A Degree 2</translation>
    </message>
    <message>
        <source>Coefficient Pression A Degré 3</source>
        <translation>Pressure Coefficient A Degree 3</translation>
    </message>
    <message>
        <source>Coefficient Pression B Degré 0</source>
        <translation>Pressure Coefficient B Degree 0</translation>
    </message>
    <message>
        <source>Coefficient Pression B Degré 1</source>
        <translation>Pressure Coefficient B Degree 1</translation>
    </message>
    <message>
        <source>Coefficient Pression B Degré 2</source>
        <translation>Pressure Coefficient B Degree 2</translation>
    </message>
    <message>
        <source>Coefficient Pression B Degré 3</source>
        <translation>Pressure Coefficient B Degree 3</translation>
    </message>
    <message>
        <source>Coefficient Pression C Degré 0</source>
        <translation>Pressure Coefficient C Degree 0</translation>
    </message>
    <message>
        <source>Coefficient Pression C Degré 1</source>
        <translation>Pressure Coefficient C Degree 1</translation>
    </message>
    <message>
        <source>Coefficient Pression C Degré 2</source>
        <translation>Pressure Coefficient C Degree 2</translation>
    </message>
    <message>
        <source>Coefficient Pression C Degré 3</source>
        <translation>Pressure Coefficient C Degree 3</translation>
    </message>
    <message>
        <source>Coefficient Température</source>
        <translation>Temperature Coefficient</translation>
    </message>
    <message>
        <source>Coefficient Humidité A  RH=f(CRH)</source>
        <translation>Humidity Coefficient A  RH=f(CRH)</translation>
    </message>
    <message>
        <source>Coefficient Humidité B  RH=f(CRH)</source>
        <translation>Humidity Coefficient B  RH=f(CRH)</translation>
    </message>
    <message>
        <source>Coefficient Humidité A  FT=f(RH)</source>
        <translation>Humidity Coefficient A  FT=f(RH)</translation>
    </message>
    <message>
        <source>Coefficient Humidité B  FT=f(RH)</source>
        <translation>Humidity Coefficient B  FT=f(RH)</translation>
    </message>
    <message>
        <source>Coefficient Humidité C  FT=f(RH)</source>
        <translation>Humidity Coefficient C  FT=f(RH)</translation>
    </message>
    <message>
        <source>Coefficient Humidité A  K=f(AH)</source>
        <translation>Humidity Coefficient A  K=f(AH)</translation>
    </message>
    <message>
        <source>Coefficient Humidité B  K=f(AH)</source>
        <translation>Humidity Coefficient B  K=f(AH)</translation>
    </message>
    <message>
        <source>Date de Dernière Maintenance</source>
        <translation>Last Maintenance Date</translation>
    </message>
    <message>
        <source>Intervalle de Temps Entre Deux Maintenances (Années)</source>
        <translation>Time Between Two Maintenances (Years)</translation>
    </message>
    <message>
        <source>Seuil Alarme 1 Radon</source>
        <translation>Radon Alarm 1 Threshold</translation>
    </message>
    <message>
        <source>Seuil Alarme 2 Radon</source>
        <translation>Radon Alarm 2 Threshold</translation>
    </message>
    <message>
        <source>Température de Mise en Route Chauffage</source>
        <translation>Heating Start Temperature</translation>
    </message>
    <message>
        <source>Commentaires</source>
        <translation>Comments</translation>
    </message>
    <message>
        <source>Nombre de Mesures</source>
        <translation>Number of Measures</translation>
    </message>
    <message>
        <source>Période de Mesure (Minutes)</source>
        <translation>Measure Period (Minutes)</translation>
    </message>
    <message>
        <source>Tension Alimentation Minimale</source>
        <translation>Minimum Supply Voltage</translation>
    </message>
    <message>
        <source>Tension de Référence Mesure Tension Alimentation</source>
        <translation>Supply Voltage Measure Reference Voltage</translation>
    </message>
    <message>
        <source>Date de Départ</source>
        <translation>Start Date</translation>
    </message>
    <message>
        <source>Heure de Départ</source>
        <translation>Start Time</translation>
    </message>
    <message>
        <source>Type de Sonde</source>
        <translation>Probe Type</translation>
    </message>
</context>
<context>
    <name>Link</name>
    <message>
        <source>aucun port choisi</source>
        <translation>no port chosen</translation>
    </message>
    <message>
        <source>ouverture impossible</source>
        <translation>cannot open</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un port série</source>
        <translation>not a serial port</translation>
    </message>
    <message>
        <source>réglage de la ligne impossible</source>
        <translation>cannot set up the line</translation>
    </message>
    <message>
        <source>port fermé</source>
        <translation>port closed</translation>
    </message>
    <message>
        <source>écriture impossible</source>
        <translation>cannot write</translation>
    </message>
    <message>
        <source>lecture impossible</source>
        <translation>cannot read</translation>
    </message>
    <message>
        <source>ligne coupée</source>
        <translation>line cut</translation>
    </message>
    <message>
        <source>Impossible de créer le fichier : </source>
        <translation>Cannot create the file: </translation>
    </message>
    <message>
        <source>Erreur d&apos;écriture du fichier</source>
        <translation>Error writing the file</translation>
    </message>
    <message>
        <source>Estimated time left : </source>
        <translation>Estimated time left : </translation>
    </message>
    <message>
        <source>Temps restant estimé : </source>
        <translation>Estimated time left : </translation>
    </message>
    <message>
        <source> mn</source>
        <translation> min</translation>
    </message>
    <message>
        <source>&apos; n&apos;est pas une date et heure correcte (horloge de la sonde)</source>
        <translation>&apos; is not a valid date and time (probe clock)</translation>
    </message>
    <message>
        <source>Le header de la sonde est corrompu.
<byte value="xd"/>Pour corriger le problème, refaites un paramétrage.</source>
        <translation>The probe&apos;s header is corrupt.
<byte value="xd"/>To correct the problem, set the parameters again.</translation>
    </message>
    <message>
        <source>Le header de la sonde est incomplet : la sonde a cessé de répondre.
<byte value="xd"/>Recommencez la lecture.</source>
        <translation>The probe&apos;s header is incomplete: the probe stopped answering.
<byte value="xd"/>Read again.</translation>
    </message>
    <message>
        <source>Pas de réponse.
<byte value="xd"/>Vérifiez que la sonde est connectée</source>
        <translation>No answer.
<byte value="xd"/>Check that the probe is connected</translation>
    </message>
    <message>
        <source>Réponse incorrecte. Recommencer la</source>
        <translation>Incorrect answer. Try again</translation>
    </message>
    <message>
        <source>février</source>
        <translation>February</translation>
    </message>
    <message>
        <source>août</source>
        <translation>August</translation>
    </message>
    <message>
        <source>décembre</source>
        <translation>December</translation>
    </message>
    <message>
        <source>  Prochaine maintenance avant : </source>
        <translation>  Next maintenance before: </translation>
    </message>
    <message>
        <source>&apos; minutes (entrée 46)</source>
        <translation>&apos; minutes (entry 46)</translation>
    </message>
    <message>
        <source>Vérifiez que votre sonde est connectée...</source>
        <translation>Check that your probe is connected...</translation>
    </message>
    <message>
        <source>Il n&apos;y a pas de mesures.</source>
        <translation>There are no measures.</translation>
    </message>
    <message>
        <source>Il n&apos;y a pas assez de mesures.</source>
        <translation>There are not enough measures.</translation>
    </message>
    <message>
        <source>L&apos;intervalle de temps spécifié est incorrect</source>
        <translation>The specified time interval is incorrect</translation>
    </message>
    <message>
        <source>La sonde a été arrêtée.
<byte value="xd"/>Vous pouvez la déconnecter.</source>
        <translation>The probe has been stopped.
<byte value="xd"/>You can disconnect it.</translation>
    </message>
    <message>
        <source>La sonde n&apos;a pas confirmé son arrêt.
<byte value="xd"/>Recommencez la commande.</source>
        <translation>The probe did not confirm that it stopped.
<byte value="xd"/>Repeat the command.</translation>
    </message>
    <message>
        <source>La lecture des mesures a été interrompue : la réponse de la sonde est incomplète ou incorrecte.
<byte value="xd"/>Recommencez la lecture.</source>
        <translation>The reading of the measures was interrupted: the probe&apos;s answer is incomplete or incorrect.
<byte value="xd"/>Read again.</translation>
    </message>
    <message>
        <source>La sonde n&apos;a envoyé aucune mesure : la recherche a été abandonnée.
<byte value="xd"/>Recommencez la lecture.</source>
        <translation>The probe sent no measure: the search was abandoned.
<byte value="xd"/>Read again.</translation>
    </message>
    <message>
        <source>Erreur de communication avec la sonde :</source>
        <translation>Communication error with the probe:</translation>
    </message>
    <message>
        <source>La période d&apos;acquisition de la sonde n&apos;est pas utilisable :</source>
        <translation>The probe&apos;s acquisition period cannot be used:</translation>
    </message>
    <message>
        <source>&apos;%1&apos; n&apos;est pas une date correcte</source>
        <translation>&apos;%1&apos; is not a valid date</translation>
    </message>
    <message>
        <source>Les mesures en cours n&apos;ont pas été sauvegardées.
<byte value="xd"/>Voulez-vous les sauvegarder avant la lecture de la sonde ?</source>
        <translation>The current measures have not been saved.
<byte value="xd"/>Do you want to save them before reading the probe?</translation>
    </message>
</context>
<context>
    <name>MeasureNames</name>
    <message>
        <source>&lt;Aucune&gt;</source>
        <translation>&lt;None&gt;</translation>
    </message>
    <message>
        <source>Radon 1 (Cps/h)</source>
        <translation>Radon 1 (Cph)</translation>
    </message>
    <message>
        <source>Radon 1 (Bq/m³)</source>
        <translation>Radon 1 (Bq/m³)</translation>
    </message>
    <message>
        <source>Radon 2 (Cps/h)</source>
        <translation>Radon 2 (Cph)</translation>
    </message>
    <message>
        <source>Radon 2 (Bq/m³)</source>
        <translation>Radon 2 (Bq/m³)</translation>
    </message>
    <message>
        <source>Radon 3 (Cps/h)</source>
        <translation>Radon 3 (Cph)</translation>
    </message>
    <message>
        <source>Radon 3 (Bq/m³)</source>
        <translation>Radon 3 (Bq/m³)</translation>
    </message>
    <message>
        <source>Température (°C)</source>
        <translation>Temperature (°C)</translation>
    </message>
    <message>
        <source>Pression (mbar)</source>
        <translation>Pressure (mbar)</translation>
    </message>
    <message>
        <source>Humidité (%)</source>
        <translation>Humidity (%)</translation>
    </message>
    <message>
        <source>Pluviométrie (mm H²0)</source>
        <translation>Rainfall (mm H²0)</translation>
    </message>
    <message>
        <source>Tension pile (V)</source>
        <translation>Battery voltage (V)</translation>
    </message>
    <message>
        <source>Chocs</source>
        <translation>Shocks</translation>
    </message>
    <message>
        <source>Bat.</source>
        <translation>Bat.</translation>
    </message>
    <message>
        <source>Pompe</source>
        <translation>Pump</translation>
    </message>
    <message>
        <source>Chauf.</source>
        <translation>Heat.</translation>
    </message>
    <message>
        <source>Alm1</source>
        <translation>Alm1</translation>
    </message>
    <message>
        <source>Alm2</source>
        <translation>Alm2</translation>
    </message>
    <message>
        <source>Cnx.</source>
        <translation>Cnx.</translation>
    </message>
    <message>
        <source>Radon 1 (Bq/l)</source>
        <translation>Radon 1 (Bq/l)</translation>
    </message>
    <message>
        <source>Radon 2 (Bq/l)</source>
        <translation>Radon 2 (Bq/l)</translation>
    </message>
    <message>
        <source>Radon 3 (Bq/l)</source>
        <translation>Radon 3 (Bq/l)</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Oui</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>Talvex 2 - Version 1.7.2</source>
        <translation>Talvex 2 - Version 1.7.2</translation>
    </message>
    <message>
        <source>Les options régionales de Windows ont été modifiées.
<byte value="xd"/>Relancer Talvex 2 pour prendre en compte ces modifications.</source>
        <translation>The regional options have been changed.
<byte value="xd"/>Start Talvex 2 again to take these changes into account.</translation>
    </message>
    <message>
        <source>aucun port choisi</source>
        <translation>no port chosen</translation>
    </message>
    <message>
        <source>ouverture impossible</source>
        <translation>cannot open</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un port série</source>
        <translation>not a serial port</translation>
    </message>
    <message>
        <source>réglage de la ligne impossible</source>
        <translation>cannot set up the line</translation>
    </message>
    <message>
        <source>port fermé</source>
        <translation>port closed</translation>
    </message>
    <message>
        <source>écriture impossible</source>
        <translation>cannot write</translation>
    </message>
    <message>
        <source>lecture impossible</source>
        <translation>cannot read</translation>
    </message>
    <message>
        <source>ligne coupée</source>
        <translation>line cut</translation>
    </message>
    <message>
        <source>Impossible de créer le fichier : </source>
        <translation>Cannot create the file: </translation>
    </message>
    <message>
        <source>Erreur d&apos;écriture du fichier</source>
        <translation>Error writing the file</translation>
    </message>
    <message>
        <source>Estimated time left : </source>
        <translation>Estimated time left : </translation>
    </message>
    <message>
        <source>Temps restant estimé : </source>
        <translation>Estimated time left : </translation>
    </message>
    <message>
        <source> mn</source>
        <translation> min</translation>
    </message>
    <message>
        <source>&apos; n&apos;est pas une date et heure correcte (horloge de la sonde)</source>
        <translation>&apos; is not a valid date and time (probe clock)</translation>
    </message>
    <message>
        <source>Le header de la sonde est corrompu.
<byte value="xd"/>Pour corriger le problème, refaites un paramétrage.</source>
        <translation>The probe&apos;s header is corrupt.
<byte value="xd"/>To correct the problem, set the parameters again.</translation>
    </message>
    <message>
        <source>Le header de la sonde est incomplet : la sonde a cessé de répondre.
<byte value="xd"/>Recommencez la lecture.</source>
        <translation>The probe&apos;s header is incomplete: the probe stopped answering.
<byte value="xd"/>Read again.</translation>
    </message>
    <message>
        <source>Pas de réponse.
<byte value="xd"/>Vérifiez que la sonde est connectée</source>
        <translation>No answer.
<byte value="xd"/>Check that the probe is connected</translation>
    </message>
    <message>
        <source>Réponse incorrecte. Recommencer la</source>
        <translation>Incorrect answer. Try again</translation>
    </message>
    <message>
        <source>février</source>
        <translation>February</translation>
    </message>
    <message>
        <source>août</source>
        <translation>August</translation>
    </message>
    <message>
        <source>décembre</source>
        <translation>December</translation>
    </message>
    <message>
        <source>  Prochaine maintenance avant : </source>
        <translation>  Next maintenance before: </translation>
    </message>
    <message>
        <source>&apos; minutes (entrée 46)</source>
        <translation>&apos; minutes (entry 46)</translation>
    </message>
    <message>
        <source>Vérifiez que votre sonde est connectée...</source>
        <translation>Check that your probe is connected...</translation>
    </message>
    <message>
        <source>Il n&apos;y a pas de mesures.</source>
        <translation>There are no measures.</translation>
    </message>
    <message>
        <source>Il n&apos;y a pas assez de mesures.</source>
        <translation>There are not enough measures.</translation>
    </message>
    <message>
        <source>L&apos;intervalle de temps spécifié est incorrect</source>
        <translation>The specified time interval is incorrect</translation>
    </message>
    <message>
        <source>La sonde a été arrêtée.
<byte value="xd"/>Vous pouvez la déconnecter.</source>
        <translation>The probe has been stopped.
<byte value="xd"/>You can disconnect it.</translation>
    </message>
    <message>
        <source>La sonde n&apos;a pas confirmé son arrêt.
<byte value="xd"/>Recommencez la commande.</source>
        <translation>The probe did not confirm that it stopped.
<byte value="xd"/>Repeat the command.</translation>
    </message>
    <message>
        <source>La lecture des mesures a été interrompue : la réponse de la sonde est incomplète ou incorrecte.
<byte value="xd"/>Recommencez la lecture.</source>
        <translation>The reading of the measures was interrupted: the probe&apos;s answer is incomplete or incorrect.
<byte value="xd"/>Read again.</translation>
    </message>
    <message>
        <source>La sonde n&apos;a envoyé aucune mesure : la recherche a été abandonnée.
<byte value="xd"/>Recommencez la lecture.</source>
        <translation>The probe sent no measure: the search was abandoned.
<byte value="xd"/>Read again.</translation>
    </message>
    <message>
        <source>Erreur de communication avec la sonde :</source>
        <translation>Communication error with the probe:</translation>
    </message>
    <message>
        <source>La période d&apos;acquisition de la sonde n&apos;est pas utilisable :</source>
        <translation>The probe&apos;s acquisition period cannot be used:</translation>
    </message>
    <message>
        <source> n&apos;est pas un index d&apos;en-tête correct</source>
        <translation> is not a valid header index</translation>
    </message>
    <message>
        <source> n&apos;est pas un numéro de mesure correct</source>
        <translation> is not a valid measure number</translation>
    </message>
    <message>
        <source>Erreur de continuité. Recommencer la lecture.</source>
        <translation>Continuity error. Read again.</translation>
    </message>
    <message>
        <source>Fichier Invalide.</source>
        <translation>Invalid file.</translation>
    </message>
    <message>
        <source>
Fichier : </source>
        <translation>
File: </translation>
    </message>
    <message>
        <source>, ligne </source>
        <translation>, line </translation>
    </message>
    <message>
        <source>Ligne &quot;MESURES&quot; introuvable : ce n&apos;est pas un fichier de mesures</source>
        <translation>Line &quot;MESURES&quot; not found: this is not a measurement file</translation>
    </message>
    <message>
        <source>Aucun fichier à fusionner</source>
        <translation>No file to merge</translation>
    </message>
    <message>
        <source>&apos; n&apos;est pas une valeur numérique correcte (entrée </source>
        <translation>&apos; is not a valid numeric value (entry </translation>
    </message>
    <message>
        <source> de l&apos;en-tête)</source>
        <translation> of the header)</translation>
    </message>
    <message>
        <source>&apos; n&apos;est pas une date correcte</source>
        <translation>&apos; is not a valid date</translation>
    </message>
    <message>
        <source>&apos; n&apos;est pas une valeur entière correcte</source>
        <translation>&apos; is not a valid integer value</translation>
    </message>
    <message>
        <source>&apos; n&apos;est pas une année correcte (entrée 38 de l&apos;en-tête)</source>
        <translation>&apos; is not a valid year (entry 38 of the header)</translation>
    </message>
    <message>
        <source>Les valeurs calculées ne correspondent pas aux mesures chargées</source>
        <translation>The calculated values do not match the loaded measures</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le fichier : </source>
        <translation>Cannot open the file: </translation>
    </message>
    <message>
        <source>Erreur de lecture du fichier</source>
        <translation>Error reading the file</translation>
    </message>
    <message>
        <source>Erreur d&apos;écriture du fichier : </source>
        <translation>Error writing the file: </translation>
    </message>
    <message>
        <source>Impossible de remplacer le fichier : </source>
        <translation>Cannot replace the file: </translation>
    </message>
    <message>
        <source>La valeur brute de </source>
        <translation>The raw value of </translation>
    </message>
    <message>
        <source> de la mesure du </source>
        <translation> of the measure of </translation>
    </message>
    <message>
        <source> n&apos;est pas un entier utilisable</source>
        <translation> is not a usable integer</translation>
    </message>
    <message>
        <source>La période de mesure &apos;</source>
        <translation>The measure period &apos;</translation>
    </message>
    <message>
        <source>&apos; (entrée 46 de l&apos;en-tête) doit être supérieure à 0 : les coups par heure ne peuvent pas être calculés</source>
        <translation>&apos; (entry 46 of the header) must be greater than 0: the counts per hour cannot be calculated</translation>
    </message>
    <message>
        <source>&apos; n&apos;est pas une valeur entière correcte (section SENSORS, clé </source>
        <translation>&apos; is not a valid integer value (section SENSORS, key </translation>
    </message>
    <message>
        <source> de </source>
        <translation> of </translation>
    </message>
    <message>
        <source>Les séries de mesures brutes n&apos;ont pas toutes le même nombre de points</source>
        <translation>The raw measure series do not all have the same number of points</translation>
    </message>
    <message>
        <source>température</source>
        <translation>temperature</translation>
    </message>
    <message>
        <source>tension pile</source>
        <translation>battery voltage</translation>
    </message>
    <message>
        <source>état</source>
        <translation>status</translation>
    </message>
    <message>
        <source>calculated series number </source>
        <translation>calculated series number </translation>
    </message>
    <message>
        <source>Les mesures en cours n&apos;ont pas été sauvegardées.
<byte value="xd"/>Voulez-vous les sauvegarder avant la lecture de la sonde ?</source>
        <translation>The current measures have not been saved.
<byte value="xd"/>Do you want to save them before reading the probe?</translation>
    </message>
</context>
<context>
    <name>talvex::ChartArea</name>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Chocs</source>
        <translation>Shocks</translation>
    </message>
    <message>
        <source>La valeur minimum est supérieure à la valeur maximum...</source>
        <translation>The minimum value is greater than the maximum value...</translation>
    </message>
    <message>
        <source>&apos;%1&apos; n&apos;est pas une date et heure correcte</source>
        <translation>&apos;%1&apos; is not a valid date and time</translation>
    </message>
    <message>
        <source>&apos;%1&apos; n&apos;est pas une valeur en virgule flottante correcte</source>
        <translation>&apos;%1&apos; is not a valid floating point value</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Apropos</name>
    <message>
        <source>Lecture, calcul et affichage des mesures des sondes radon.

Lit les sondes par câble RS232 ou par modem GSM, calcule l&apos;activité volumique du radon, la température, la pression, l&apos;humidité, la pluviométrie et la tension pile, et trace les courbes.

Orvane</source>
        <translation>Reading, calculation and display of radon probe measures.

Reads the probes over an RS232 cable or a GSM modem, calculates the radon volumetric activity, the temperature, the pressure, the humidity, the rainfall and the battery voltage, and draws the curves.

Orvane</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Conversion</name>
    <message>
        <source>Ajouter un fichier à convertir </source>
        <translation>Add a file to convert </translation>
    </message>
    <message>
        <source>Fichiers mesures (*.bm2)</source>
        <translation>Measurement files (*.bm2)</translation>
    </message>
    <message>
        <source>Répertoire de destination :</source>
        <translation>Destination folder:</translation>
    </message>
    <message>
        <source>Conversion</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>Générer un fichier .txt (Valeurs brutes)</source>
        <translation>Generate a .txt file (Raw values)</translation>
    </message>
    <message>
        <source>Générer un fichier .xls (Valeurs calculées)</source>
        <translation>Generate a .xls file (Calculated values)</translation>
    </message>
    <message>
        <source>Convertir</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Conversion terminée</source>
        <translation>Conversion finished</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Convert</name>
    <message>
        <source>Convertir le fichier bm2  :</source>
        <translation>Convert the bm2 file  :</translation>
    </message>
    <message>
        <source>Fichiers mesures (*.bm2)</source>
        <translation>Measurement files (*.bm2)</translation>
    </message>
    <message>
        <source>Fichier Excel (*.xls)</source>
        <translation>Excel file (*.xls)</translation>
    </message>
    <message>
        <source>Fichier Texte (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
    <message>
        <source>Convertir</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Conversion en valeurs calculées</source>
        <translation>Conversion to calculated values</translation>
    </message>
    <message>
        <source>En un fichier .xls</source>
        <translation>Into a .xls file</translation>
    </message>
    <message>
        <source>Conversion en valeurs brutes</source>
        <translation>Conversion to raw values</translation>
    </message>
    <message>
        <source>En un fichier .txt</source>
        <translation>Into a .txt file</translation>
    </message>
    <message>
        <source>Conversion terminée</source>
        <translation>Conversion finished</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Directory</name>
    <message>
        <source>Répertoire Par Défaut</source>
        <translation>Default Directory</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ANNULER</source>
        <translation>CANCEL</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Display</name>
    <message>
        <source>Affichage</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Fenêtre %1</source>
        <translation>Window %1</translation>
    </message>
    <message>
        <source>Courbe 1</source>
        <translation>Curve 1</translation>
    </message>
    <message>
        <source>Courbe 2</source>
        <translation>Curve 2</translation>
    </message>
    <message>
        <source>Lissage</source>
        <translation>Smoothing</translation>
    </message>
    <message>
        <source>Afficher les contrôles</source>
        <translation>Show the control data</translation>
    </message>
    <message>
        <source>Données de contrôle 1</source>
        <translation>Control data 1</translation>
    </message>
    <message>
        <source>Données de contrôle 2</source>
        <translation>Control data 2</translation>
    </message>
    <message>
        <source>Tout</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Sélection</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>Nombre d&apos;acquisitions sommées</source>
        <translation>Number of summed acquisitions</translation>
    </message>
    <message>
        <source>Filtrage GSM</source>
        <translation>GSM filtering</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Annuler</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&apos;%1&apos; n&apos;est pas une valeur entière correcte</source>
        <translation>&apos;%1&apos; is not a valid integer value</translation>
    </message>
    <message>
        <source>&apos;%1&apos; n&apos;est pas une date correcte</source>
        <translation>&apos;%1&apos; is not a valid date</translation>
    </message>
    <message>
        <source>Positionnement des fenêtres des graphes en cours...</source>
        <translation>Placing the chart windows...</translation>
    </message>
    <message>
        <source>Lissage et affichage des courbes en cours...</source>
        <translation>Smoothing and drawing the curves...</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Echelle</name>
    <message>
        <source>Echelle</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Fusion</name>
    <message>
        <source>Ajouter un fichier à fusionner :</source>
        <translation>Add a file to merge:</translation>
    </message>
    <message>
        <source>Fichiers mesures (*.bm2)</source>
        <translation>Measurement files (*.bm2)</translation>
    </message>
    <message>
        <source>Fichier de destination :</source>
        <translation>Destination file:</translation>
    </message>
    <message>
        <source>Fusion</source>
        <translation>Merge</translation>
    </message>
    <message>
        <source>Fusionner</source>
        <translation>Merge</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Conversion terminée</source>
        <translation>Conversion finished</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Interval</name>
    <message>
        <source>Lecture Partielle</source>
        <translation>Partial Reading</translation>
    </message>
    <message>
        <source>  Sélection de la plage de mesures à lire :</source>
        <translation>  Select the range of measures to read:</translation>
    </message>
    <message>
        <source>Du</source>
        <translation>From</translation>
    </message>
    <message>
        <source>au  </source>
        <translation>to  </translation>
    </message>
    <message>
        <source>ANNULER</source>
        <translation>CANCEL</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Main</name>
    <message>
        <source> Fichier </source>
        <translation> File </translation>
    </message>
    <message>
        <source>Répertoire par Défaut</source>
        <translation>Default Directory</translation>
    </message>
    <message>
        <source>Langue</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Anglais</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Francais</source>
        <translation>French</translation>
    </message>
    <message>
        <source>Ouvrir</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Enregistrer Sous</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Imprimer</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Conversion</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>Valeurs Calculées</source>
        <translation>Calculated Values</translation>
    </message>
    <message>
        <source>Valeurs Brutes</source>
        <translation>Raw Values</translation>
    </message>
    <message>
        <source>Fusion</source>
        <translation>Merge</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source> Sonde </source>
        <translation> Probe </translation>
    </message>
    <message>
        <source>Connexion</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Lecture</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>Partielle</source>
        <translation>Partial</translation>
    </message>
    <message>
        <source>Complète</source>
        <translation>Complete</translation>
    </message>
    <message>
        <source>Initialisation</source>
        <translation>Initialisation</translation>
    </message>
    <message>
        <source>Paramétrage</source>
        <translation>Parameter Setting</translation>
    </message>
    <message>
        <source>Arrêt Sonde</source>
        <translation>Stop Probe</translation>
    </message>
    <message>
        <source>Communications</source>
        <translation>Communications</translation>
    </message>
    <message>
        <source> Affichage </source>
        <translation> Display </translation>
    </message>
    <message>
        <source> Activité Volumique </source>
        <translation> Volumetric Activity </translation>
    </message>
    <message>
        <source> Paramètres </source>
        <translation> Parameters </translation>
    </message>
    <message>
        <source> Maintenance </source>
        <translation> Maintenance </translation>
    </message>
    <message>
        <source>      ?      </source>
        <translation>      ?      </translation>
    </message>
    <message>
        <source>A Propos de ...</source>
        <translation>About ...</translation>
    </message>
    <message>
        <source>MODE : Modem (GSM)</source>
        <translation>MODE : Modem (GSM)</translation>
    </message>
    <message>
        <source>MODE : RS232 (Câble)</source>
        <translation>MODE : RS232 (Cable)</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Déconnexion</source>
        <translation>Disconnection</translation>
    </message>
    <message>
        <source>Fichier Invalide.</source>
        <translation>Invalid file.</translation>
    </message>
    <message>
        <source>Extraction des données...</source>
        <translation>Extracting the data...</translation>
    </message>
    <message>
        <source>Calcul des valeurs...</source>
        <translation>Calculating the values...</translation>
    </message>
    <message>
        <source>Erreur de continuité. Recommencer la lecture.</source>
        <translation>Continuity error. Read again.</translation>
    </message>
    <message>
        <source>Fichiers mesures (*.bm2)</source>
        <translation>Measurement files (*.bm2)</translation>
    </message>
    <message>
        <source>Fichiers mesures (*.bm2 *.BM2);;Capture Hyperterminal (*txt) (*.txt *.TXT)</source>
        <translation>Measurement files (*.bm2 *.BM2);;Hyperterminal capture (*txt) (*.txt *.TXT)</translation>
    </message>
    <message>
        <source>Voulez-vous quitter l&apos;application ?</source>
        <translation>Do you want to quit the application?</translation>
    </message>
    <message>
        <source>Les mesures en cours n&apos;ont pas été sauvegardées.
<byte value="xd"/>Voulez-vous les sauvegarder avant de quitter l&apos;application ?</source>
        <translation>The current measures have not been saved.
<byte value="xd"/>Do you want to save them before quitting the application?</translation>
    </message>
    <message>
        <source>Format de fichier inconnu</source>
        <translation>Unknown file format</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Popup</name>
    <message>
        <source>Calcul des valeurs en cours...</source>
        <translation>Calculating the values...</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Port</name>
    <message>
        <source>Communications</source>
        <translation>Communications</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Modem Local</source>
        <translation>Local Modem</translation>
    </message>
    <message>
        <source> Liste des Appareils</source>
        <translation> Device List</translation>
    </message>
    <message>
        <source>Type de connexion</source>
        <translation>Connection type</translation>
    </message>
    <message>
        <source>Directe (câble)</source>
        <translation>Direct (cable)</translation>
    </message>
    <message>
        <source>Par Modem GSM</source>
        <translation>By GSM Modem</translation>
    </message>
    <message>
        <source>Vitesse</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Chaîne d&apos;initialisation</source>
        <translation>Initialisation string</translation>
    </message>
    <message>
        <source>Défaut</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Préfixe</source>
        <translation>Prefix</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Pas de réponse.
<byte value="xd"/>Vérifiez que la sonde est connectée</source>
        <translation>No answer.
<byte value="xd"/>Check that the probe is connected</translation>
    </message>
    <message>
        <source>Réponse incorrecte. Recommencer la</source>
        <translation>Incorrect answer. Try again</translation>
    </message>
</context>
<context>
    <name>talvex::TForm_Read</name>
    <message>
        <source>Lecture Sonde</source>
        <translation>Probe Reading</translation>
    </message>
    <message>
        <source>Lecture des mesures en cours</source>
        <translation>Reading the measures</translation>
    </message>
    <message>
        <source>Recherche des mesures en cours</source>
        <translation>Searching for the measures</translation>
    </message>
    <message>
        <source>Mesures attendues</source>
        <translation>Expected measures</translation>
    </message>
    <message>
        <source>Mesures lues</source>
        <translation>Measures read</translation>
    </message>
    <message>
        <source>(Max)</source>
        <translation>(Max)</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
